#include "x11/display/image_x11.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

namespace {

// Attaching fails on a remote server; that arrives as an X error, which must
// not take the program down but fall back to plain images.
bool g_bAttachFailed = false;
int OnAttachError(Display*, XErrorEvent*) {
  g_bAttachFailed = true;
  return 0;
}

bool ShmAttach(Display* pDisplay, XShmSegmentInfo& shm) {
  g_bAttachFailed = false;
  XSync(pDisplay, False);
  auto previous = XSetErrorHandler(OnAttachError);
  const Status ok = XShmAttach(pDisplay, &shm);
  XSync(pDisplay, False);
  XSetErrorHandler(previous);
  return ok && !g_bAttachFailed;
}

}  // namespace

std::unique_ptr<CX11Image> CX11Image::Create(Display* pDisplay, Visual* pVisual, int nDepth, int nWidth,
                                             int nHeight, bool bTryShm) {
  if (pVisual->c_class != TrueColor || nWidth <= 0 || nHeight <= 0) return nullptr;
  std::unique_ptr<CX11Image> p(new CX11Image);
  p->m_pDisplay = pDisplay;
  p->m_format = CPixelFormat(static_cast<std::uint32_t>(pVisual->red_mask),
                             static_cast<std::uint32_t>(pVisual->green_mask),
                             static_cast<std::uint32_t>(pVisual->blue_mask));
  const std::size_t bytes = static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight) * 4;

  if (bTryShm && XShmQueryExtension(pDisplay)) {
    XImage* image = XShmCreateImage(pDisplay, pVisual, static_cast<unsigned>(nDepth), ZPixmap, nullptr,
                                    &p->m_shm, static_cast<unsigned>(nWidth), static_cast<unsigned>(nHeight));
    if (image && image->bits_per_pixel == 32 && image->bytes_per_line == nWidth * 4) {
      p->m_shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
      if (p->m_shm.shmid >= 0) {
        void* memory = shmat(p->m_shm.shmid, nullptr, 0);
        if (memory != reinterpret_cast<void*>(-1)) {
          p->m_shm.shmaddr = image->data = static_cast<char*>(memory);
          p->m_shm.readOnly = False;
          if (ShmAttach(pDisplay, p->m_shm)) {
            p->m_bShm = true;
            p->m_pImage = image;
          } else {
            shmdt(memory);
          }
        }
        // Marked for removal now, so it goes with the last detach even after a crash.
        shmctl(p->m_shm.shmid, IPC_RMID, nullptr);
      }
    }
    if (!p->m_bShm && image) {
      image->data = nullptr;
      XDestroyImage(image);
    }
  }
  if (!p->m_bShm) {
    char* memory = static_cast<char*>(std::calloc(bytes, 1));
    if (!memory) return nullptr;
    p->m_pImage = XCreateImage(pDisplay, pVisual, static_cast<unsigned>(nDepth), ZPixmap, 0, memory,
                               static_cast<unsigned>(nWidth), static_cast<unsigned>(nHeight), 32, nWidth * 4);
    if (!p->m_pImage || p->m_pImage->bits_per_pixel != 32 || p->m_pImage->bytes_per_line != nWidth * 4) {
      if (p->m_pImage) {
        p->m_pImage->data = nullptr;
        XDestroyImage(p->m_pImage);
        p->m_pImage = nullptr;
      }
      std::free(memory);
      return nullptr;
    }
  }
  return p;
}

std::unique_ptr<CFrame> CX11Image::MakeFrame() {
  auto* memory = reinterpret_cast<std::uint32_t*>(m_pImage->data);
  std::function<void(std::uint32_t*)> release;
  if (m_bShm)
    release = [](std::uint32_t* p) { shmdt(p); };
  else
    release = [](std::uint32_t* p) { std::free(p); };
  return std::make_unique<CFrame>(m_pImage->width, m_pImage->height, m_format, memory, std::move(release));
}

void CX11Image::Put(Drawable drawable, GC gc, int x, int y, int nWidth, int nHeight) {
  if (x < 0) nWidth += x, x = 0;
  if (y < 0) nHeight += y, y = 0;
  if (x + nWidth > m_pImage->width) nWidth = m_pImage->width - x;
  if (y + nHeight > m_pImage->height) nHeight = m_pImage->height - y;
  if (nWidth <= 0 || nHeight <= 0) return;
  if (m_bShm)
    XShmPutImage(m_pDisplay, drawable, gc, m_pImage, x, y, x, y, static_cast<unsigned>(nWidth),
                 static_cast<unsigned>(nHeight), False);
  else
    XPutImage(m_pDisplay, drawable, gc, m_pImage, x, y, x, y, static_cast<unsigned>(nWidth),
              static_cast<unsigned>(nHeight));
}

CX11Image::~CX11Image() {
  if (m_bShm) XShmDetach(m_pDisplay, &m_shm);
  if (m_pImage) {
    // The memory belongs to the frame.
    m_pImage->data = nullptr;
    XDestroyImage(m_pImage);
  }
}

#pragma once

class CSaverApp;

// What a key pressed in our own full-screen window does.
enum class KeyAction { Screenshot, Pause, Next, End };

// The hot keys in the order Screenshot, Pause, Next, each only while its
// Active flag is set; a key pressed with Alt, Alt itself and F10 always end
// the saver, as system keys do on Windows.
KeyAction DecideKey(unsigned nVirtualKey, bool bAltHeld, const CSaverApp& app);

// The pointer rule: the first report only says where the pointer is; any
// later report at another place, one pixel is enough, ends the saver.
class CPointerRule {
 public:
  // True when this report ends the saver.
  bool Report(int x, int y);

 private:
  int m_nX = -1;
  int m_nY = -1;
};

#include "app/saver_app.h"

#include <chrono>

CSaverApp theApp;

CSaverApp::CSaverApp() = default;
CSaverApp::~CSaverApp() = default;

void CSaverApp::SetProfile(std::unique_ptr<IProfile> pProfile) { m_pProfile = std::move(pProfile); }

IProfile& CSaverApp::Profile() {
  if (!m_pProfile) m_pProfile = CreatePlatformProfile();
  return *m_pProfile;
}

namespace {
int ReadInt(CSaverApp& app, const char* entry, int nDefault) {
  return app.Profile().GetProfileInt(kSettingsSection, entry, nDefault);
}
std::string ReadString(CSaverApp& app, const char* entry) {
  return app.Profile().GetProfileString(kSettingsSection, entry, std::string());
}
void WriteInt(CSaverApp& app, const char* entry, int nValue) {
  app.Profile().WriteProfileInt(kSettingsSection, entry, nValue);
}
void WriteString(CSaverApp& app, const char* entry, const std::string& strValue) {
  app.Profile().WriteProfileString(kSettingsSection, entry, strValue);
}
int OrDefault(int nMask, int nDefault) { return nMask == 0 ? nDefault : nMask; }
}  // namespace

void CSaverApp::ReadExtraMemory() { m_bExtraMemory = ReadInt(*this, "ExtraMemory", 0); }
void CSaverApp::ReadCompletionDelay() {
  // Stored in seconds; a hand-edited huge value must not overflow the millisecond member.
  long long nMs = static_cast<long long>(ReadInt(*this, "CompletionDelay", 1)) * 1000;
  if (nMs > 0x7FFFFFFF) nMs = 0x7FFFFFFF;
  if (nMs < -0x7FFFFFFFLL) nMs = -0x7FFFFFFFLL;
  m_nCompletionDelay = static_cast<int>(nMs);
}
void CSaverApp::ReadBlankingMethod() { m_nBlankingMethod = OrDefault(ReadInt(*this, "BlankingMethod", 0), 2); }
void CSaverApp::ReadColourScheme() { m_nColourScheme = OrDefault(ReadInt(*this, "ColourScheme", 0), 0xFFFF); }
void CSaverApp::ReadCurveType() { m_nCurveType = OrDefault(ReadInt(*this, "CurveType", 0), 0x3F); }
void CSaverApp::ReadMinIterations() { m_nMinIterations = ReadInt(*this, "MinIterations", 0); }
void CSaverApp::ReadMaxIterations() { m_nMaxIterations = ReadInt(*this, "MaxIterations", 0); }
void CSaverApp::ReadExcludeCurves() { m_nExcludeCurves = ReadInt(*this, "ExcludeCurves", 0); }
void CSaverApp::ReadPausingActive() { m_bPausingActive = ReadInt(*this, "PausingActive", 0); }
void CSaverApp::ReadPrintingActive() { m_bPrintingActive = ReadInt(*this, "PrintingActive", 0); }
void CSaverApp::ReadNextActive() { m_bNextActive = ReadInt(*this, "NextActive", 0); }
// The misspelling is the stored name.
void CSaverApp::ReadPausingKey() { m_strPausingKey = ReadString(*this, "PausingKay"); }
void CSaverApp::ReadPrintingKey() { m_strPrintingKey = ReadString(*this, "PrintingKey"); }
void CSaverApp::ReadNextKey() { m_strNextKey = ReadString(*this, "NextKey"); }
void CSaverApp::ReadSequenceNo() { m_nSequenceNo = ReadInt(*this, "SequenceNo", 0); }
void CSaverApp::ReadFileLocation() { m_strFileLocation = ReadString(*this, "FileLocation"); }

void CSaverApp::WriteExtraMemory() { WriteInt(*this, "ExtraMemory", m_bExtraMemory); }
void CSaverApp::WriteCompletionDelay() { WriteInt(*this, "CompletionDelay", m_nCompletionDelay / 1000); }
void CSaverApp::WriteBlankingMethod() { WriteInt(*this, "BlankingMethod", m_nBlankingMethod); }
void CSaverApp::WriteColourScheme() { WriteInt(*this, "ColourScheme", m_nColourScheme); }
void CSaverApp::WriteCurveType() { WriteInt(*this, "CurveType", m_nCurveType); }
void CSaverApp::WriteMinIterations() { WriteInt(*this, "MinIterations", m_nMinIterations); }
void CSaverApp::WriteMaxIterations() { WriteInt(*this, "MaxIterations", m_nMaxIterations); }
void CSaverApp::WriteExcludeCurves() { WriteInt(*this, "ExcludeCurves", m_nExcludeCurves); }
void CSaverApp::WritePausingActive() { WriteInt(*this, "PausingActive", m_bPausingActive); }
void CSaverApp::WritePrintingActive() { WriteInt(*this, "PrintingActive", m_bPrintingActive); }
void CSaverApp::WriteNextActive() { WriteInt(*this, "NextActive", m_bNextActive); }
void CSaverApp::WritePausingKey() { WriteString(*this, "PausingKay", m_strPausingKey); }
void CSaverApp::WritePrintingKey() { WriteString(*this, "PrintingKey", m_strPrintingKey); }
void CSaverApp::WriteNextKey() { WriteString(*this, "NextKey", m_strNextKey); }
void CSaverApp::WriteSequenceNo() { WriteInt(*this, "SequenceNo", m_nSequenceNo); }
void CSaverApp::WriteFileLocation() { WriteString(*this, "FileLocation", m_strFileLocation); }

void CSaverApp::LoadSettings() {
  ReadExtraMemory();
  ReadCompletionDelay();
  ReadBlankingMethod();
  ReadColourScheme();
  ReadCurveType();
  ReadMinIterations();
  ReadMaxIterations();
  ReadExcludeCurves();
  ReadPausingActive();
  ReadPrintingActive();
  ReadNextActive();
  ReadPausingKey();
  ReadPrintingKey();
  ReadNextKey();
  ReadSequenceNo();
  ReadFileLocation();
}

void CSaverApp::SaveSettings() {
  WriteCurveType();
  WriteColourScheme();
  WriteBlankingMethod();
  WritePausingActive();
  WritePrintingActive();
  WriteNextActive();
  WritePausingKey();
  WritePrintingKey();
  WriteNextKey();
  WriteFileLocation();
  WriteCompletionDelay();
  WriteExtraMemory();
  WriteMinIterations();
  WriteMaxIterations();
  WriteExcludeCurves();
}

void CSaverApp::SaveSequenceNo() { WriteSequenceNo(); }

void CSaverApp::SetPaused(bool bPaused) {
  {
    std::lock_guard<std::mutex> lock(m_pauseMutex);
    m_bPaused.store(bPaused ? 1 : 0);
  }
  m_pauseChanged.notify_all();
}

void CSaverApp::WaitWhilePaused() {
  if (!m_bPaused.load(std::memory_order_relaxed)) return;
  std::unique_lock<std::mutex> lock(m_pauseMutex);
  m_pauseChanged.wait(lock, [this] { return !m_bPaused.load() || !m_bRunning.load(); });
}

void CSaverApp::StopRunning() {
  {
    std::lock_guard<std::mutex> lock(m_pauseMutex);
    m_bRunning.store(0);
  }
  m_pauseChanged.notify_all();
}

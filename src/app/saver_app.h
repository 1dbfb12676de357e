#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "app/profile.h"

class CDrawThread;
struct CSettingDef;

// The one application object: the user's settings and the few flags through
// which the user-interface thread and the drawing thread talk.
class CSaverApp {
 public:
  CSaverApp();
  ~CSaverApp();

  // Windows start-up: picks the run mode from the command line and creates
  // its window; false means the program is to end without a message loop.
  bool InitInstance(int argc, wchar_t** argv);

  // Replaces the settings store; the default is the platform's own.
  void SetProfile(std::unique_ptr<IProfile> pProfile);
  IProfile& Profile();

  void LoadSettings();
  void SaveSettings();
  void SaveSequenceNo();

  // One setting of the table (app/settings_table.h) between store and member.
  void ReadSetting(const CSettingDef& setting);
  void WriteSetting(const CSettingDef& setting);

  // Pause is a gate rather than a thread suspension: a suspended thread may
  // be holding the heap or a device-context lock, and the close handler must
  // always be able to wake it.
  void SetPaused(bool bPaused);
  // Blocks the calling (drawing) thread while paused and still running.
  void WaitWhilePaused();
  // Clears the keep-running flag and opens the pause gate.
  void StopRunning();

  CDrawThread* m_pDrawThread = nullptr;
  int m_nCompletionDelay = 0;
  int m_bExtraMemory = 0;
  int m_nBlankingMethod = 0;
  int m_nColourScheme = 0;
  int m_nCurveType = 0;
  int m_nMinIterations = 0;
  int m_nMaxIterations = 0;
  int m_nExcludeCurves = 0;
  int m_bPausingActive = 0;
  int m_bPrintingActive = 0;
  int m_bNextActive = 0;
  std::string m_strPausingKey;
  std::string m_strPrintingKey;
  std::string m_strNextKey;
  int m_nSequenceNo = 0;
  std::string m_strFileLocation;
  std::atomic<int> m_bPaused{0};
  std::atomic<int> m_bRunning{1};
  std::atomic<int> m_bThreadDone{0};

 private:
  std::unique_ptr<IProfile> m_pProfile;
  std::mutex m_pauseMutex;
  std::condition_variable m_pauseChanged;
};

extern CSaverApp theApp;

// The accessor every part uses to reach the application object.
inline CSaverApp* AfxGetApp() { return &theApp; }

// The platform's own settings store (registry or per-user INI file).
std::unique_ptr<IProfile> CreatePlatformProfile();

constexpr const char* kSettingsSection = "Settings";

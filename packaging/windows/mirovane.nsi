; The Windows installer, made by makensis from cmake/installer.cmake with
; VERSION, ARCH (win32 or win64), PUBLISHER, COPYRIGHT, SCR, README, ICON
; and OUTFILE defined.
;
;   setup.exe [/S] [/KEEPCURRENT]        /KEEPCURRENT leaves the current screen saver
;   uninstall.exe [/S] [/REMOVESETTINGS] /REMOVESETTINGS drops the user's settings too
;
; Both end a running mirovane.scr first, as Windows keeps a running
; program's file. A file that still cannot go is replaced or removed at the
; next restart: the program says so and ends with status 3010.
;
; Windows lists screen savers from the system folder, so the .scr goes
; there; the uninstaller and README live in their own program folder.

!if "${ARCH}" == "win64"
  ; A 64-bit installer sees the real System32 and the 64-bit registry.
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\mirovane"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Tolvarn\mirovane"

Name "mirovane"
Caption "mirovane ${VERSION} Setup"
BrandingText "mirovane ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
RequestExecutionLevel admin
!if "${ARCH}" == "win64"
  InstallDir "$PROGRAMFILES64\mirovane"
!else
  InstallDir "$PROGRAMFILES\mirovane"
!endif

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "mirovane"
VIAddVersionKey /LANG=1033 "FileDescription" "mirovane screen saver setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "mirovane goes into the Windows system folder, where the screen-saver settings list it."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "mirovane is installed. Choose it, or open its settings, in the Windows screen-saver settings."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your mirovane settings stay unless you tick the box below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!define SAVER_FILE "$SYSDIR\mirovane.scr"

; Ends every running mirovane.scr (full screen, preview or settings), then
; waits up to five seconds for its file to be free: gone, or openable for
; writing. $0 is 1 when it is free.
!macro SAVER_FUNCTIONS un
Function ${un}EndRunningSaver
  nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM mirovane.scr'
  Pop $0
  StrCpy $1 0
  ${Do}
    StrCpy $0 1
    ${IfNot} ${FileExists} "${SAVER_FILE}"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $2 "${SAVER_FILE}" a
    ${IfNot} ${Errors}
      FileClose $2
      ${Break}
    ${EndIf}
    StrCpy $0 0
    IntOp $1 $1 + 1
    ${If} $1 >= 20
      ${Break}
    ${EndIf}
    Sleep 250
  ${Loop}
FunctionEnd

Function ${un}ReportReboot
  ${If} ${RebootFlag}
    DetailPrint "mirovane.scr is in use; Windows finishes at the next restart."
    MessageBox MB_OK|MB_ICONINFORMATION "mirovane.scr is still in use. Windows finishes with it when it next restarts." /SD IDOK
    SetErrorLevel 3010
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SAVER_FUNCTIONS ""
!insertmacro SAVER_FUNCTIONS "un."

Section "mirovane screen saver" SecSaver
  SectionIn RO
  SetOutPath "$SYSDIR"
  Call EndRunningSaver
  ${If} $0 == 1
    File "/oname=mirovane.scr" "${SCR}"
  ${Else}
    ; Beside it, then moved over it at the restart.
    File "/oname=mirovane.scr.new" "${SCR}"
    Rename /REBOOTOK "$SYSDIR\mirovane.scr.new" "${SAVER_FILE}"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "mirovane screen saver"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$SYSDIR\mirovane.scr"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecSaver} $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
  Call ReportReboot
SectionEnd

Section "Make mirovane my screen saver" SecCurrent
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\mirovane.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
!if "${ARCH}" == "win32"
  ; On 64-bit Windows the screen-saver settings want the 64-bit build.
  ${If} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "This installer is for 32-bit Windows. On 64-bit Windows use mirovane-${VERSION}-win64-setup.exe." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!endif
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/KEEPCURRENT" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecCurrent}
  ${EndIf}
FunctionEnd

Section "un.mirovane screen saver" UnSecSaver
  SectionIn RO
  ; Only a choice that names this very file is undone; which screen saver
  ; came before is unknown, so none is put back.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
    GetFullPathName $1 "$0"
    GetFullPathName $2 "$SYSDIR\mirovane.scr"
    ${If} $1 == $2
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
  Call un.EndRunningSaver
  Delete /REBOOTOK "${SAVER_FILE}"
  Call un.ReportReboot
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

Section /o "un.Remove my mirovane settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tolvarn"
SectionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd

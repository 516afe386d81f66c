; The Windows installer of Stelvana, built by scripts/windows.sh with
; Debian's makensis from the deployed program in DEPLOY_DIR:
;   makensis -DVERSION=1.0 -DDEPLOY_DIR=... -DICON=... -DLICENSE=... -DOUTFILE=... stelvana.nsi
; A 64-bit installer (amd64-unicode): the default 32-bit stub does not run
; where only 64-bit Windows code does (wine64 alone), and the program is 64-bit.
; "setup.exe /S" installs silently, "uninstall.exe /S" removes it silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Stelvana"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Stelvana"
; Design files (.stelvana) open in the program from Explorer.
!define PROGID "Stelvana.Design"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT} ${VERSION}"
Caption "${PRODUCT} ${VERSION} 安装"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "Software\${PRODUCT}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Stelvana developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\stelvana.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  ; A 64-bit program: its files under "Program Files", its keys in the
  ; 64-bit registry view.
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Stelvana" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${DEPLOY_DIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; For all users: the Start-menu entry lives in the common programs folder.
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\stelvana.exe" "" "$INSTDIR\stelvana.exe" 0

  WriteRegStr HKLM "Software\${PRODUCT}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "Software\Classes\.stelvana" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\.stelvana" "Content Type" "application/x-stelvana"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Stelvana 设计文件"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\stelvana.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\stelvana.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} 钢结构计算工具"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Stelvana developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\stelvana.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; What "Apps & features" shows as the size, in KiB, measured after copying.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; Only what the installer put there: a folder the user chose may hold
  ; other files too.
  !include "${FILE_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\${PRODUCT}"
  ; The extension only while it is still ours: another program may have
  ; taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.stelvana" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.stelvana"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

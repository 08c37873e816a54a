; The Windows installer: Zelvorn with its sound and licences in Program Files, a Start-menu entry,
; an uninstaller and the entry in Windows' list of installed programs, for every user of the
; machine. /S installs, and uninstalls, without a window. cmake/windows_delivery.cmake runs
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y.z> -DSTAGE=<folder of the files>
;            -DICON=<zelvorn.ico> -DOUTFILE=<installer.exe> zelvorn.nsi
!ifdef WIN64
; The 64-bit build that the tests install where only 64-bit Wine runs.
Target amd64-unicode
!else
Unicode true
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvorn"
!define PUBLISHER "The Zelvorn developers"

Name "Zelvorn"
OutFile "${OUTFILE}"
!ifdef WIN64
InstallDir "$PROGRAMFILES64\Zelvorn"
!else
; A 32-bit program: on 64-bit Windows this is "Program Files (x86)".
InstallDir "$PROGRAMFILES\Zelvorn"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestSupportedOS all

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Zelvorn"
VIAddVersionKey /LANG=2052 "FileDescription" "Zelvorn 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelvorn.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}/zelvorn.exe"
  File "${STAGE}/snd.wav"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/OFL.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Zelvorn.lnk" "$INSTDIR\zelvorn.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zelvorn"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelvorn.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\zelvorn.exe"
  Delete "$INSTDIR\snd.wav"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\OFL.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Zelvorn.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The Windows installer of QZ, made by scripts/windows-package.sh with Debian's makensis:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with qz.exe, qz-bot.exe, qz-server.exe, material\,
;            sound\, locale\> -DOUTFILE=<installer> qz.nsi
; The program goes to Program Files\QZ with its pictures, sounds and translations beside it (where the game
; looks for them), a Start-menu entry for every user, and an uninstaller that removes exactly
; that: the players' saves and settings in %APPDATA%\QZ stay.
; A 64-bit installer for a 64-bit game: it also runs where no 32-bit Windows layer is (Wine
; without its 32-bit part, as the end-to-end test has it).
Target amd64-unicode
!include "x64.nsh"

Name "QZ"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QZ"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "QZ"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "QZ Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "QZ developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QZ"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "QZ"
  SetOutPath "$INSTDIR"
  File "${STAGE}\qz.exe"
  File "${STAGE}\qz-bot.exe"
  File "${STAGE}\qz-server.exe"
  File /r "${STAGE}\material"
  File /r "${STAGE}\sound"
  File /r "${STAGE}\locale"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\QZ"
  CreateShortcut "$SMPROGRAMS\QZ\QZ.lnk" "$INSTDIR\qz.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "QZ"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qz.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\qz.exe"
  Delete "$INSTDIR\qz-bot.exe"
  Delete "$INSTDIR\qz-server.exe"
  RMDir /r "$INSTDIR\material"
  RMDir /r "$INSTDIR\sound"
  RMDir /r "$INSTDIR\locale"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\QZ\QZ.lnk"
  RMDir "$SMPROGRAMS\QZ"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

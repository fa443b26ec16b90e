; The Vellora installer, one script for the 64-bit and the 32-bit program:
;
;   makensis -INPUTCHARSET UTF8 -DARCH=x64|x86 -DVERSION=<a.b.c> -DPROGRAM=<Vellora.exe> -DOUTFILE=<setup.exe> vellora.nsi
;
; It speaks English or German by the user's language, installs into Program
; Files with a Start-menu entry and an uninstaller listed among the installed
; programs, and refuses to replace a copy that is running. The settings of the
; accounts live in the user's application-data folder; neither installing nor
; uninstalling touches them.

Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define PRODUCT "Vellora"
!define PUBLISHER "morvex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Every running copy has a top-level window of this class, hidden or not.
!define WINDOW_CLASS "VelloraWindow"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
!if ${ARCH} == x64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif

!define MUI_ICON "${__FILEDIR__}/../../src/resources/art/app32.ico"
!define MUI_UNICON "${__FILEDIR__}/../../src/resources/art/app32.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for users whose language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString Running ${LANG_ENGLISH} "Vellora is running. Please close it, then click Retry."
LangString Running ${LANG_GERMAN} "Vellora läuft gerade. Bitte schließe es und klicke dann auf Wiederholen."
LangString Needs64 ${LANG_ENGLISH} "This is the installer for 64-bit Windows. Please use the 32-bit installer of Vellora."
LangString Needs64 ${LANG_GERMAN} "Dies ist das Installationsprogramm für 64-Bit-Windows. Bitte nimm das 32-Bit-Installationsprogramm von Vellora."

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "© ${PUBLISHER}"

; A running copy keeps its program file open: replacing or removing it then
; would leave half a program behind. Asks until it is closed; Cancel (and a
; silent run) ends with exit code 2 and changes nothing.
!macro RefuseWhileRunning prefix
  Function ${prefix}RefuseWhileRunning
    retry:
      FindWindow $0 "${WINDOW_CLASS}"
      StrCmp $0 0 done
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    done:
  FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

Function .onInit
  !if ${ARCH} == x64
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "$(Needs64)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    SetRegView 64
  !endif
  Call RefuseWhileRunning
FunctionEnd

Section
  ; Again: the program may have been started while the pages were shown.
  Call RefuseWhileRunning
  SetOutPath "$INSTDIR"
  File "/oname=Vellora.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vellora.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vellora.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  !if ${ARCH} == x64
    SetRegView 64
  !endif
FunctionEnd

Section "Uninstall"
  Call un.RefuseWhileRunning
  Delete "$INSTDIR\Vellora.exe"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the user put there (an endpoints.ini, the
  ; settings of a copy made portable) stay.
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The installer of the Windows edition: the program, its settings and pictures in the program
; folder, the demo catalogue and help page as templates for each learner's own folder, a
; Start-menu entry and an uninstaller that leaves the learners' data alone.
; makensis -DVERSION=1.0 -DSOURCE=<run folder> -DKATALOG=<aerolern-katalog.exe> -DOUTFILE=<setup.exe>
;          Aerolern.nsi
Unicode true
; A 64-bit installer for the 64-bit program; it runs where the program runs.
Target amd64-unicode
!include "MUI2.nsh"

Name "Aerolern ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Aerolern"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Aerolern ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Aerolern"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert Aerolern ${VERSION}, den Trainer für die theoretischen Prüfungen der Gleitschirm- und Drachenflieger.$\r$\n$\r$\nIhre Lerndaten liegen später im Ordner $\"Dokumente\Aerolern$\"; sie bleiben bei einer Deinstallation erhalten."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\aerolern.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/lernordner"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Aerolern"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${SOURCE}\aerolern.exe"
  File "${KATALOG}"
  File "${SOURCE}\aerolern.ini"
  SetOutPath "$INSTDIR\assets"
  File /r "${SOURCE}\assets\*.*"
  ; Each learner's folder starts with these copies; the program never overwrites them there.
  SetOutPath "$INSTDIR\vorlage"
  File "${SOURCE}\Aerolern.dat"
  File "${SOURCE}\Hilfe.htm"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"

  CreateDirectory "$SMPROGRAMS\Aerolern"
  CreateShortCut "$SMPROGRAMS\Aerolern\Aerolern.lnk" "$INSTDIR\aerolern.exe" "/lernordner" \
    "$INSTDIR\aerolern.exe" 0 SW_SHOWNORMAL "" "Aerolern starten (Lerndaten in Dokumente\Aerolern)"
  CreateShortCut "$SMPROGRAMS\Aerolern\Aerolern deinstallieren.lnk" "$INSTDIR\Deinstallieren.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Aerolern"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Aerolern"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\aerolern.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Deinstallieren.exe$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Deinstallieren.exe$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer put there; the learners' folders are not touched.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\aerolern.exe"
  Delete "$INSTDIR\aerolern-katalog.exe"
  Delete "$INSTDIR\aerolern.ini"
  RMDir /r "$INSTDIR\assets"
  RMDir /r "$INSTDIR\vorlage"
  Delete "$INSTDIR\Deinstallieren.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Aerolern\Aerolern.lnk"
  Delete "$SMPROGRAMS\Aerolern\Aerolern deinstallieren.lnk"
  RMDir "$SMPROGRAMS\Aerolern"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

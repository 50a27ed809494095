; The Windows installer of Tavelor, for the whole machine.
; makensis -DVERSION=3.0.0 -DSIZE_KB=N -DICON=file.ico -DLISTS=folder -DOUTFILE=setup.exe tavelor.nsi
; LISTS holds the lists of the installed files
; written by scripts/build-windows.sh, so that the uninstaller
; removes exactly what was installed.

Unicode true
; 64-bit, like the programs it installs.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Tavelor"
!define PROGID "Tavelor.QCM"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavelor"
!define UNINSTALLER "desinstaller.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Cet assistant va installer ${PRODUCT} ${VERSION} sur cet ordinateur, pour tous ses utilisateurs : le lecteur de QCM, l'éditeur de QCM et des QCM d'exemple.$\r$\n$\r$\nLes QCM des élèves se rangent dans le dossier C:\QCM, que ${PRODUCT} crée au premier chargement d'un QCM.$\r$\n$\r$\nCliquez sur Suivant pour continuer."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} demande une version 64 bits de Windows (Windows 10 ou 11)."
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Lecteur et éditeur de QCM" SecProgram
  SectionIn RO
  !include "${LISTS}\install-files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Tavelor.lnk" "$INSTDIR\tavelor.exe" "" "$INSTDIR\tavelor.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Éditeur de QCM Tavelor.lnk" "$INSTDIR\tavelor-editeur.exe" "" \
    "$INSTDIR\tavelor-editeur.exe" 0

  ; Quiz files: opened by the player, changed with the editor.
  WriteRegStr HKLM "Software\Classes\.qcm" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\.qcm\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Questionnaire à choix multiples"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\tavelor.exe,1"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell" "" "open"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open" "" "Ouvrir"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\tavelor.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\edit" "" "Modifier"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\edit\command" "" '"$INSTDIR\tavelor-editeur.exe" "%1"'
  ; SHCNE_ASSOCCHANGED: the file manager shows the new icon at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Windows' list of installed programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavelor.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Raccourci sur le bureau" SecDesktop
  CreateShortcut "$DESKTOP\Tavelor.lnk" "$INSTDIR\tavelor.exe" "" "$INSTDIR\tavelor.exe" 0
SectionEnd

Section "Uninstall"
  Delete "$DESKTOP\Tavelor.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Tavelor.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Éditeur de QCM Tavelor.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The file type goes only while it is still ours.
  ReadRegStr $0 HKLM "Software\Classes\.qcm" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKLM "Software\Classes\.qcm" ""
  ${EndIf}
  DeleteRegValue HKLM "Software\Classes\.qcm\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.qcm\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.qcm"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Only what was installed: quizzes or results someone put here stay.
  !include "${LISTS}\uninstall-files.nsh"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd

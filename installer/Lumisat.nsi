; Installer of the Lumisat control panel. Built by the build with defines:
;   SOURCE_DIR  source tree          BIN_DIR  folder of Lumisat.exe, Setup.dll, Quarlink.dll
;   HELP_DIR    folder of the compiled help files
;   OUT_FILE    installer to write   TARGET   x86-unicode or amd64-unicode
;   BANNER_BMP  bitmap whose top-left colour the pages take
;   VERSION     the product's version
; Command line: /S silent, /DEMO installs the card simulator, /D=folder last.

Target ${TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Lumisat"
!define SETTINGS_KEY "Software\Tavio\Skyfold"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumisat"
; The program reads "PATH" into a 100-byte buffer: 99 characters with the backslash.
!define MAX_INSTALL_PATH 98

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show

!define MUI_ABORTWARNING
!define MUI_CUSTOMFUNCTION_GUIINIT ShowBackground
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.ShowBackground
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Setup.dll goes to the plug-ins folder only: it is needed while installing
; and uninstalling, never by the program. Each call unloads it again (?u) so
; that the folder can be removed at the end.
!macro EXTRACT_SETUP_DLL
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Setup.dll" "${BIN_DIR}/Setup.dll"
!macroend

; The installer's screen behind its pages takes the colour of the banner's
; top-left pixel, fading to a darker shade of it, with the banner on top.
; (SetCtlColors takes no colours known only at run time, so the pages
; themselves keep the system's colours.)
!macro SHOW_BACKGROUND_FUNCTION PREFIX
  Function ${PREFIX}ShowBackground
    !insertmacro EXTRACT_SETUP_DLL
    File "/oname=$PLUGINSDIR\banner.bmp" "${BANNER_BMP}"
    System::Call '$PLUGINSDIR\Setup.dll::GetBmpRGB(m "$PLUGINSDIR\banner.bmp", *i .r1, *i .r2, *i .r3) i .r0 ?u'
    ${If} $0 == 1
      IntOp $4 $1 / 3
      IntOp $5 $2 / 3
      IntOp $6 $3 / 3
      BgImage::SetBg /GRADIENT $1 $2 $3 $4 $5 $6
      BgImage::AddImage "$PLUGINSDIR\banner.bmp" 0 0
      BgImage::Redraw
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SHOW_BACKGROUND_FUNCTION ""
!insertmacro SHOW_BACKGROUND_FUNCTION "un."

Function .onGUIEnd
  BgImage::Destroy
FunctionEnd

Function un.onGUIEnd
  BgImage::Destroy
FunctionEnd

Section "Lumisat" SecProgram
  SectionIn RO
  Call CheckInstallPathLength
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/Lumisat.exe"
  SetOutPath "$INSTDIR\Language"
  File "${SOURCE_DIR}/resources/Language/*.txt"
  SetOutPath "$INSTDIR\Help"
  File /nonfatal "${HELP_DIR}/*.chm"
  SetOutPath "$INSTDIR"

  ; The program copies "PATH" from the local machine to the current user at
  ; every start, and keeps its settings under the current user on NT systems.
  WriteRegStr HKLM "${SETTINGS_KEY}" "PATH" "$INSTDIR\"
  WriteRegStr HKCU "${SETTINGS_KEY}" "PATH" "$INSTDIR\"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumisat.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Lumisat.exe"
SectionEnd

; The card simulator stands in for the receiver's driver library, so the
; program can be tried without a card. Never chosen unless asked for: it
; would hide the real driver library.
Section /o "Demo without a card" SecDemo
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/Quarlink.dll"
  File "${SOURCE_DIR}/simulator/demo/Quarlink.ini"
  ; A list to try Import... on the Dish Setting page with.
  File "${SOURCE_DIR}/simulator/demo/Astra 19.2E.ini"
  ; The demo's satellites and transponders, unless the user has channels already.
  SetOverwrite off
  File "${SOURCE_DIR}/simulator/demo/satedata.dll"
  SetOverwrite on
SectionEnd

Section "-Driver check"
  !insertmacro EXTRACT_SETUP_DLL
  System::Call '$PLUGINSDIR\Setup.dll::CheckDriver() i .r0 ?cu'
  ${If} $0 == 1
    DetailPrint "The receiver's drivers are present."
  ${Else}
    DetailPrint "The receiver's drivers were not found."
    MessageBox MB_OK|MB_ICONINFORMATION "The receiver's drivers were not found. Install them before you start Lumisat, or choose the demo without a card." /SD IDOK
  ${EndIf}
SectionEnd

LangString DESC_Program ${LANG_ENGLISH} "The control panel, its language files and its help."
LangString DESC_Demo ${LANG_ENGLISH} "A simulated receiver card in place of the receiver's driver library, to try the program without a card. Leave it out where a card is installed."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDemo} $(DESC_Demo)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DEMO" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDemo}
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  StrLen $0 $INSTDIR
  ${If} $0 > ${MAX_INSTALL_PATH}
    Abort
  ${EndIf}
FunctionEnd

; A silent installation skips the directory page and its check.
Function CheckInstallPathLength
  StrLen $0 $INSTDIR
  ${If} $0 > ${MAX_INSTALL_PATH}
    MessageBox MB_OK|MB_ICONSTOP "The installation folder may have at most ${MAX_INSTALL_PATH} characters." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The receiver's devices and its driver's INF files go with the program.
  !insertmacro EXTRACT_SETUP_DLL
  System::Call '$PLUGINSDIR\Setup.dll::DeleteDTV(m "$WINDIR\inf") i .r0 ?u'
  ${If} $0 == 1
    DetailPrint "The receiver's devices were removed."
  ${Else}
    DetailPrint "The receiver's devices could not be removed."
  ${EndIf}

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Lumisat.exe"
  Delete "$INSTDIR\Main.bmp"
  Delete "$INSTDIR\Quarlink.dll"
  Delete "$INSTDIR\Quarlink.ini"
  Delete "$INSTDIR\Language\*.txt"
  Delete "$INSTDIR\Language\*.txt.tmp"
  RMDir "$INSTDIR\Language"
  Delete "$INSTDIR\Help\*.chm"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\Uninstall.exe"
  ; The channel databases hold the user's own channels and stay; so does the
  ; folder while they are in it.
  RMDir "$INSTDIR"

  DeleteRegValue HKLM "${SETTINGS_KEY}" "PATH"
  DeleteRegValue HKCU "${SETTINGS_KEY}" "PATH"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Installer of the Lumisat control panel. Built by the build with defines:
;   SOURCE_DIR  source tree          BIN_DIR  folder of Lumisat.exe, Setup.dll, Quarlink.dll
;   HELP_DIR    folder of the compiled help files
;   OUT_FILE    installer to write   TARGET   x86-unicode or amd64-unicode
;   BANNER_BMP  bitmap whose top-left colour the pages take
;   VERSION     the product's version
;   SETTINGS_KEY the program's settings key (from resources/ProgramIdentity.h)
; Command line: /S silent, /DEMO installs the card simulator, /D=folder last
; (also quoted: "/D=C:\My Folder" or /D="C:\My Folder").
;
; The program goes to the program folder, which only administrators may
; change. Everything the program opens through "PATH" goes to the data folder
; %ProgramData%\Lumisat, where every user may save the channel database and
; the language files' temporary copies; "PATH" names that folder.

Target ${TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Lumisat"
!ifndef SETTINGS_KEY | VERSION
  !error "The build defines SETTINGS_KEY and VERSION"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumisat"
; The program reads "PATH" into a 100-byte buffer: 99 characters with the backslash.
!define MAX_DATA_FOLDER 98
; Windows starts a program only from a path of at most 259 characters, and
; "\Uninstall.exe" is the longest name in the program folder.
!define MAX_PROGRAM_FOLDER 245
!define DEMO_LIST "Astra 19.2E.ini"
; The side copy the program writes a database through; left behind only when
; a save was cut short.
!define DATABASE_SIDE_FILE "~save.new"

; Well-known security identifiers, so that no group name depends on the
; system's language.
!define SYSTEM_SID "*S-1-5-18"
!define ADMINISTRATORS_SID "*S-1-5-32-544"
!define USERS_SID "*S-1-5-32-545"
; Only administrators may change; everyone may read. For a folder and what it holds:
!define ADMIN_ONLY_FOLDER "/inheritance:r /grant:r ${SYSTEM_SID}:(OI)(CI)F ${ADMINISTRATORS_SID}:(OI)(CI)F ${USERS_SID}:(OI)(CI)RX"
; and for one file:
!define ADMIN_ONLY_FILE "/inheritance:r /grant:r ${SYSTEM_SID}:F ${ADMINISTRATORS_SID}:F ${USERS_SID}:RX"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show

Var DataDir        ; %ProgramData%\Lumisat, without the final backslash
Var RightsFailed   ; 1 once a change of rights failed
Var DriversFound   ; 1 when Setup.dll found the receiver's drivers

!define MUI_ABORTWARNING
!define MUI_CUSTOMFUNCTION_GUIINIT ShowBackground
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.ShowBackground
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(DirectoryTop)"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowProgramFolderCheck
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartLumisat
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferStartOnlyWhenItCanRun
!insertmacro MUI_PAGE_FINISH
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallTop)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

LangString UninstallTop ${LANG_ENGLISH} "${PRODUCT} will be removed from the following folder. The channel lists saved in $DataDir and each user's settings stay."
LangString DirectoryTop ${LANG_ENGLISH} "Setup will install ${PRODUCT} in the following folder, which only administrators may change. The channel lists, the language files and the help go to $DataDir, where every user may save."

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

; Both the installer and the uninstaller work in the machine's folders.
!macro FIND_DATA_FOLDER
  SetShellVarContext all
  StrCpy $DataDir "$APPDATA\${PRODUCT}"
!macroend

Function .onGUIEnd
  BgImage::Destroy
FunctionEnd

Function un.onGUIEnd
  BgImage::Destroy
FunctionEnd

; Changes rights with icacls from the system folder (never by a bare name,
; which would find a copy planted beside the installer and run it with the
; administrator's rights). Under Wine, whose icacls does nothing, this
; changes nothing either: Wine keeps no rights on files.
!macro SET_RIGHTS OBJECT ARGUMENTS
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "${OBJECT}" ${ARGUMENTS}'
  Pop $0
  ${If} $0 != 0
    DetailPrint "The rights of ${OBJECT} could not be set ($0)."
    StrCpy $RightsFailed 1
  ${EndIf}
!macroend

; Before anything is put into it, the data folder is made the administrators'
; (a user may have made it before the installation) and changeable by them
; alone. The Help folder is made afresh with rights of its own, so that the
; Users' right given at the end never reaches it: a help file can run script,
; and no user may replace what another user opens.
Function PrepareDataFolder
  CreateDirectory "$DataDir"
  !insertmacro SET_RIGHTS "$DataDir" "/setowner ${ADMINISTRATORS_SID}"
  !insertmacro SET_RIGHTS "$DataDir" "${ADMIN_ONLY_FOLDER}"
  RMDir /r "$DataDir\Help"
  ${If} ${FileExists} "$DataDir\Help\*.*"
    DetailPrint "The old help folder $DataDir\Help could not be removed."
    StrCpy $RightsFailed 1
  ${EndIf}
  CreateDirectory "$DataDir\Help"
  !insertmacro SET_RIGHTS "$DataDir\Help" "${ADMIN_ONLY_FOLDER}"
  ; The banner is opened through "PATH" too; a new copy belongs to the administrators.
  Delete "$DataDir\Main.bmp"
FunctionEnd

Section "Lumisat" SecProgram
  SectionIn RO
  Call CheckProgramFolderSilently
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/Lumisat.exe"

  Call PrepareDataFolder
  SetOutPath "$DataDir\Language"
  File "${SOURCE_DIR}/resources/Language/*.txt"
  SetOutPath "$DataDir\Help"
  File /nonfatal "${HELP_DIR}/*.chm"
  SetOutPath "$DataDir"
  File "/oname=Main.bmp" "${BANNER_BMP}"
  !insertmacro SET_RIGHTS "$DataDir\Main.bmp" "${ADMIN_ONLY_FILE}"
  SetOutPath "$INSTDIR"

  ; The program copies "PATH" from the local machine to the current user at
  ; every start, and keeps its settings under the current user on NT systems.
  WriteRegStr HKLM "${SETTINGS_KEY}" "PATH" "$DataDir\"
  WriteRegStr HKCU "${SETTINGS_KEY}" "PATH" "$DataDir\"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumisat.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Lumisat.exe"
SectionEnd

; The card simulator stands in for the receiver's driver library, so the
; program can be tried without a card. Never chosen unless asked for: it
; would hide the real driver library.
Section /o "Demo without a card" SecDemo
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/Quarlink.dll"
  File "${SOURCE_DIR}/simulator/demo/Quarlink.ini"
  SetOutPath "$DataDir"
  ; A list to try Import... on the Dish Setting page with.
  File "${SOURCE_DIR}/simulator/demo/${DEMO_LIST}"
  ; The demo's satellites and transponders, unless the users have channels
  ; already. Its time tells the uninstaller whether anyone saved over it.
  ${IfNot} ${FileExists} "$DataDir\satedata.dll"
    File "${SOURCE_DIR}/simulator/demo/satedata.dll"
    GetFileTime "$DataDir\satedata.dll" $0 $1
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DemoDatabaseTime" "$0 $1"
  ${EndIf}
  SetOutPath "$INSTDIR"
SectionEnd

; Last of the data folder: every user may now change what it holds, but for
; the help and the banner. Never given after a failure above, which could
; leave the help open to them.
Section "-Users may save"
  ${If} $RightsFailed != 1
    !insertmacro SET_RIGHTS "$DataDir" "/grant:r ${USERS_SID}:(OI)(CI)M"
  ${EndIf}
  ${If} $RightsFailed == 1
    DetailPrint "Users without administrator rights cannot save in $DataDir."
    MessageBox MB_OK|MB_ICONEXCLAMATION "The rights of the data folder $DataDir could not be set. Users without administrator rights cannot save their channels there. Run the installation again, or give the Users group the right to modify that folder, except its Help folder and Main.bmp." /SD IDOK
  ${Else}
    DetailPrint "Every user may save in $DataDir."
  ${EndIf}
SectionEnd

Section "-Driver check"
  !insertmacro EXTRACT_SETUP_DLL
  System::Call '$PLUGINSDIR\Setup.dll::CheckDriver() i .r0 ?cu'
  StrCpy $DriversFound $0
  ${If} ${SectionIsSelected} ${SecDemo}
    ${If} $DriversFound == 1
      DetailPrint "The receiver's drivers are present; the demo's card simulator takes their place."
      MessageBox MB_OK|MB_ICONEXCLAMATION "The receiver's drivers are present, but ${PRODUCT} will use the demo's card simulator in their place. To use the card, install ${PRODUCT} again without the demo." /SD IDOK
    ${Else}
      DetailPrint "The demo's card simulator needs no drivers."
    ${EndIf}
  ${ElseIf} $DriversFound == 1
    DetailPrint "The receiver's drivers are present."
  ${Else}
    DetailPrint "The receiver's drivers were not found."
    MessageBox MB_OK|MB_ICONINFORMATION "The receiver's drivers were not found. Install them before you start ${PRODUCT}, or install ${PRODUCT} again with the demo without a card." /SD IDOK
  ${EndIf}
SectionEnd

LangString DESC_Program ${LANG_ENGLISH} "The control panel, its language files and its help."
LangString DESC_Demo ${LANG_ENGLISH} "A simulated receiver card in place of the receiver's driver library, to try the program without a card. Leave it out where a card is installed."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDemo} $(DESC_Demo)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro FIND_DATA_FOLDER
  StrLen $0 $DataDir
  ${If} $0 > ${MAX_DATA_FOLDER}
    MessageBox MB_OK|MB_ICONSTOP "The data folder $DataDir has $0 characters; ${PRODUCT} can read a folder of at most ${MAX_DATA_FOLDER}." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call TakeQuotedInstallDir
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DEMO" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDemo}
  ${EndIf}
FunctionEnd

; NSIS takes /D= only unquoted; a folder with blanks is often given quoted,
; as "/D=C:\My Folder" or /D="C:\My Folder", which NSIS ignores (the second
; it also cuts from $CMDLINE, so the system's copy of the command line is
; read). The folder ends at the closing quote.
Function TakeQuotedInstallDir
  System::Call 'kernel32::GetCommandLineW() t .r4'
  StrCpy $0 1
  ${Do}
    StrCpy $1 $4 4 $0
    ${If} $1 == ""
      Return
    ${EndIf}
    IntOp $2 $0 - 1
    StrCpy $2 $4 1 $2
    ${If} $2 == " "
      ${If} $1 S== '"/D='
      ${OrIf} $1 S== '/D="'
        ${ExitDo}
      ${EndIf}
    ${EndIf}
    IntOp $0 $0 + 1
  ${Loop}
  IntOp $0 $0 + 4
  StrCpy $1 ""
  ${Do}
    StrCpy $2 $4 1 $0
    ${If} $2 == ""
    ${OrIf} $2 == '"'
      ${ExitDo}
    ${EndIf}
    StrCpy $1 "$1$2"
    IntOp $0 $0 + 1
  ${Loop}
  StrCpy $2 $1 2 1
  StrCpy $3 $1 2
  ${If} $2 != ":\"
  ${AndIf} $3 != "\\"
    MessageBox MB_OK|MB_ICONSTOP "/D= needs a full folder path, such as C:\Lumisat; it was given [$1]." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  StrCpy $INSTDIR $1
FunctionEnd

; $0: why the program folder $INSTDIR cannot be used; empty when it can.
Function ProgramFolderProblem
  StrCpy $0 ""
  StrLen $1 $INSTDIR
  ${If} $1 > ${MAX_PROGRAM_FOLDER}
    StrCpy $0 "This folder's name has $1 characters. Windows starts a program only from a path of at most 259 characters, so the folder may have at most ${MAX_PROGRAM_FOLDER}: choose a shorter one."
    Return
  ${EndIf}
  ; Every user may change the data folder: the program must not be in it.
  StrLen $1 $DataDir
  StrCpy $2 $INSTDIR $1
  StrCpy $3 $INSTDIR 1 $1
  ${If} $2 == $DataDir
    ${If} $3 == ""
    ${OrIf} $3 == "\"
      StrCpy $0 "Every user may change $DataDir, where the channel lists go; the program must be in another folder, which only administrators may change."
    ${EndIf}
  ${EndIf}
FunctionEnd

; The directory page greys Install while the folder cannot be used, and its
; text says why.
; $0 as ProgramFolderProblem leaves it.
Function ShowProgramFolderCheck
  Call ProgramFolderProblem
  ${If} $0 == ""
    SendMessage $mui.DirectoryPage.Text ${WM_SETTEXT} 0 "STR:$(DirectoryTop)"
  ${Else}
    SendMessage $mui.DirectoryPage.Text ${WM_SETTEXT} 0 "STR:$0"
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  Call ShowProgramFolderCheck
  ${If} $0 != ""
    Abort
  ${EndIf}
FunctionEnd

; A silent installation skips the directory page and its check.
Function CheckProgramFolderSilently
  Call ProgramFolderProblem
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR: $0" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; The installer runs as an administrator; the program is started through
; the desktop's shell, so that it runs as the user who is logged on and with
; that user's rights, as it will every other time.
Function StartLumisat
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Lumisat.exe"'
FunctionEnd

; Without the receiver's drivers or the demo the program cannot start.
Function OfferStartOnlyWhenItCanRun
  ${IfNot} ${SectionIsSelected} ${SecDemo}
  ${AndIf} $DriversFound != 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro FIND_DATA_FOLDER
FunctionEnd

; The demo's channel database goes unless someone saved over it.
Function un.RemoveUntouchedDemoDatabase
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DemoDatabaseTime"
  ${If} $0 == ""
    Return
  ${EndIf}
  ClearErrors
  GetFileTime "$DataDir\satedata.dll" $1 $2
  ${IfNot} ${Errors}
  ${AndIf} "$1 $2" == $0
    Delete "$DataDir\satedata.dll"
  ${EndIf}
FunctionEnd

; Names what stays in the data folder (the channel lists the users saved)
; and where the users' settings stay.
Function un.TellWhatIsKept
  StrCpy $0 ""
  StrCpy $1 0
  FindFirst $2 $3 "$DataDir\*"
  ${DoWhile} $3 != ""
    ${If} $3 != "."
    ${AndIf} $3 != ".."
      IntOp $1 $1 + 1
      ${If} $1 <= 8
        ${If} $0 != ""
          StrCpy $0 "$0, "
        ${EndIf}
        StrCpy $0 "$0$3"
      ${EndIf}
    ${EndIf}
    FindNext $2 $3
  ${Loop}
  FindClose $2
  ${If} $1 > 8
    IntOp $1 $1 - 8
    StrCpy $0 "$0 and $1 more"
  ${EndIf}
  StrCpy $1 "Each user's settings stay under HKEY_CURRENT_USER\${SETTINGS_KEY}."
  ${If} $0 != ""
    StrCpy $1 "Kept in $DataDir: $0 (the channel lists saved with ${PRODUCT}). $1"
  ${EndIf}
  DetailPrint $1
  MessageBox MB_OK|MB_ICONINFORMATION "$1 Delete them when they are no longer needed." /SD IDOK
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

  ; What the installation put into the data folder and the program's own
  ; temporary files go; the channel lists the users saved stay, and so does
  ; the folder while they are in it.
  Delete "$DataDir\Main.bmp"
  Delete "$DataDir\Language\*.txt"
  Delete "$DataDir\Language\*.txt.tmp"
  RMDir "$DataDir\Language"
  RMDir /r "$DataDir\Help"
  Delete "$DataDir\${DEMO_LIST}"
  Delete "$DataDir\${DATABASE_SIDE_FILE}"
  Call un.RemoveUntouchedDemoDatabase
  RMDir "$DataDir"

  DeleteRegValue HKLM "${SETTINGS_KEY}" "PATH"
  DeleteRegValue HKCU "${SETTINGS_KEY}" "PATH"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The uninstaller goes last: until then it can be run again.
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Lumisat.exe"
  Delete "$INSTDIR\Quarlink.dll"
  Delete "$INSTDIR\Quarlink.ini"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Call un.TellWhatIsKept
SectionEnd

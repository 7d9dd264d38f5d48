# The installer's script: CPack's own NSIS template with Quillon's changes,
# written at configure time to QUILLON_NSIS_TEMPLATE_DIR, where CPack looks
# first (CPACK_MODULE_PATH). Each change names the exact text it replaces: a
# CMake whose template no longer has that text stops the configure here,
# rather than make an installer without the change.
#   - English, and Simplified Chinese where Windows speaks it (CPack loads
#     sixty languages); its own texts in both;
#   - nothing older than Windows 7 SP1, on which Quillon.exe cannot start;
#   - PATH: the installation folder, where quillon-cli.exe is, not bin\;
#     /PATH=AllUsers or /PATH=CurrentUser chooses it without the page, for
#     silent installs.

set(QUILLON_NSIS_TEMPLATE_DIR "${PROJECT_BINARY_DIR}/nsis")
set(cpack_template "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in")
file(READ "${cpack_template}" script)

# A function, not a macro: a macro would read the \n of NSIS's $\n.
function(replace_once old new)
    string(FIND "${script}" "${old}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${cpack_template} no longer holds \"${old}\": adapt packaging/windows/nsis_template.cmake")
    endif()
    string(REPLACE "${old}" "${new}" replaced "${script}")
    set(script "${replaced}" PARENT_SCOPE)
endfunction()

# The languages, and the texts of ours in each.
set(last_language [[  !insertmacro MUI_LANGUAGE "Welsh"]])
string(FIND "${script}" [[  !insertmacro MUI_LANGUAGE "English" ;first language is the default language]] first)
string(FIND "${script}" "${last_language}" last)
if(first EQUAL -1 OR last LESS first)
    message(FATAL_ERROR "${cpack_template}: its list of languages has changed")
endif()
string(LENGTH "${last_language}" length)
math(EXPR length "${last} + ${length} - ${first}")
string(SUBSTRING "${script}" ${first} ${length} languages)
replace_once("${languages}" [[
  ; English unless Windows speaks Simplified Chinese.
  !insertmacro MUI_LANGUAGE "English"
  !insertmacro MUI_LANGUAGE "SimpChinese"
  !include FileFunc.nsh
  !include LogicLib.nsh
  !include WinVer.nsh
  LangString QuillonNeedsWindows7 ${LANG_ENGLISH} "Quillon needs Windows 7 SP1 or later."
  LangString QuillonNeedsWindows7 ${LANG_SIMPCHINESE} "Quillon 需要 Windows 7 SP1 或更高版本。"
  LangString QuillonAlreadyInstalled ${LANG_ENGLISH} "Quillon is already installed.$\n$\nUninstall the old version before installing the new one?"
  LangString QuillonAlreadyInstalled ${LANG_SIMPCHINESE} "Quillon 已经安装。$\n$\n安装新版本之前先卸载旧版本吗？"
  LangString QuillonUninstallFailed ${LANG_ENGLISH} "The old version could not be uninstalled."
  LangString QuillonUninstallFailed ${LANG_SIMPCHINESE} "无法卸载旧版本。"
  LangString QuillonOptionsTitle ${LANG_ENGLISH} "Install Options"
  LangString QuillonOptionsTitle ${LANG_SIMPCHINESE} "安装选项"
  LangString QuillonOptionsSubtitle ${LANG_ENGLISH} "Choose options for installing Quillon."
  LangString QuillonOptionsSubtitle ${LANG_SIMPCHINESE} "选择 Quillon 的安装选项。"
  LangString QuillonPathIntro ${LANG_ENGLISH} "quillon-cli.exe can be run by its name in any command prompt once its folder is in the PATH."
  LangString QuillonPathIntro ${LANG_SIMPCHINESE} "把 quillon-cli.exe 所在的文件夹加入 PATH 后，可在任何命令提示符中直接运行它。"
  LangString QuillonPathNone ${LANG_ENGLISH} "Do not add quillon-cli.exe to the PATH"
  LangString QuillonPathNone ${LANG_SIMPCHINESE} "不加入 PATH"
  LangString QuillonPathAllUsers ${LANG_ENGLISH} "Add quillon-cli.exe to the PATH of all users"
  LangString QuillonPathAllUsers ${LANG_SIMPCHINESE} "为所有用户加入 PATH"
  LangString QuillonPathCurrentUser ${LANG_ENGLISH} "Add quillon-cli.exe to the PATH of the current user"
  LangString QuillonPathCurrentUser ${LANG_SIMPCHINESE} "仅为当前用户加入 PATH"
  LangString QuillonDesktopIcon ${LANG_ENGLISH} "Put a Quillon icon on the desktop"
  LangString QuillonDesktopIcon ${LANG_SIMPCHINESE} "在桌面上放置 Quillon 图标"
]])

replace_once([[
Function .onInit
]] [[
Function .onInit
  ; LogicLib reads its conditions left to right, with no precedence.
  ${If} ${IsWin7}
  ${AndIfNot} ${AtLeastServicePack} 1
  ${OrIfNot} ${AtLeastWin7}
    MessageBox MB_OK|MB_ICONSTOP "$(QuillonNeedsWindows7)" /SD IDOK
    Abort
  ${EndIf}
]])
replace_once([["@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\n$\nDo you want to uninstall the old version before installing the new one?"]]
             [["$(QuillonAlreadyInstalled)"]])
replace_once([[MessageBox MB_OK|MB_ICONSTOP "Uninstall failed."]] [[MessageBox MB_OK|MB_ICONSTOP "$(QuillonUninstallFailed)" /SD IDOK]])

# The options page in the installer's language.
replace_once([[  !insertmacro MUI_HEADER_TEXT "Install Options" "Choose options for installing @CPACK_NSIS_PACKAGE_NAME@"]] [[
  !insertmacro MUI_HEADER_TEXT "$(QuillonOptionsTitle)" "$(QuillonOptionsSubtitle)"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 1" "Text" "$(QuillonPathIntro)"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "Text" "$(QuillonPathNone)"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 3" "Text" "$(QuillonPathAllUsers)"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 4" "Text" "$(QuillonPathCurrentUser)"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 5" "Text" "$(QuillonDesktopIcon)"]])

# PATH: the installation folder, added and removed again.
replace_once([[
Section "-Add to path"
  Push $INSTDIR\bin
]] [[
Section "-Add to path"
  Push $INSTDIR
]])
replace_once([[
  Push $INSTDIR\bin
  StrCmp $DO_NOT_ADD_TO_PATH_ "1" doNotRemoveFromPath 0
]] [[
  Push $INSTDIR
  StrCmp $DO_NOT_ADD_TO_PATH "1" doNotRemoveFromPath 0
]])
replace_once([[
    !insertmacro MUI_INSTALLOPTIONS_EXTRACT "NSIS.InstallOptions.ini"
]] [[
    !insertmacro MUI_INSTALLOPTIONS_EXTRACT "NSIS.InstallOptions.ini"
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PATH=" $R1
    ${IfNot} ${Errors}
    ${AndIf} $R1 == "AllUsers"
      !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "State" "0"
      !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 3" "State" "1"
    ${ElseIf} $R1 == "CurrentUser"
      !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "State" "0"
      !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 4" "State" "1"
    ${EndIf}
]])

file(WRITE "${QUILLON_NSIS_TEMPLATE_DIR}/NSIS.template.in" "${script}")

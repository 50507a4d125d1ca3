; SPDX-FileCopyrightText: 2026 The Zanfilo team
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The setup program a school deploys: for all users into Program Files, a Start-menu entry, an
; entry in "Apps and features" whose uninstaller takes away all it put there, and /S for a
; silent install by the lab's IT person. makensis -DVERSION=1.00 -DEXE=... -DICON=... -DLICENCE=...
; -DOUTFILE=... zanfilo.nsi
;
; Exit codes, for the tools that deploy it: 0 done; 3 Zanfilo is open, nothing was changed (the
; uninstaller refuses too); 2 something could not be written or removed (the uninstaller then
; keeps its entry in "Apps and features", to be run again). The uninstaller, like every NSIS
; one, copies itself away and returns at once: `uninstall.exe /S _?=<folder>` waits and tells
; its exit code, but cannot remove itself and so leaves the folder and the entry.

; A 64-bit setup program for the 64-bit program (and Wine without its 32-bit half runs it).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define NAME "Zanfilo"
!define PUBLISHER "The Zanfilo team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
; An upgrade goes where the first install went, even one chosen with /D=.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; A file that cannot be written stops the install (exit code 2) instead of being skipped.
AllowSkipFiles off
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1040 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${NAME}"
VIAddVersionKey /LANG=1040 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ; Every user of the PC gets it, in the 64-bit Program Files and registry.
    SetShellVarContext all
    SetRegView 64
FunctionEnd

; Windows lets no one write the file of a running program, whoever's session it runs in: opening
; zanfilo.exe for writing is the test that it is closed. Open, the user is asked to close it and
; try again; a silent run stops at once with exit code 3, having changed nothing.
!macro CLOSED_CHECK UN
Function ${UN}CheckClosed
    IfFileExists "$INSTDIR\zanfilo.exe" 0 closed
retry:
    ClearErrors
    FileOpen $0 "$INSTDIR\zanfilo.exe" a
    IfErrors open
    FileClose $0
closed:
    Return
open:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Zanfilo è aperto.$\r$\nChiudi Zanfilo su questo computer, poi premi Riprova." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 3
    Abort "Zanfilo è aperto: nulla è stato cambiato."
FunctionEnd
!macroend
!insertmacro CLOSED_CHECK ""
!insertmacro CLOSED_CHECK "un."

; After a group of operations: any that failed stops the run with exit code 2.
!macro STOP_ON_ERRORS WHAT
    IfErrors 0 +3
    SetErrorLevel 2
    Abort "${WHAT}"
!macroend

Function un.onInit
    SetShellVarContext all
    SetRegView 64
    Call un.CheckClosed
FunctionEnd

Section
    Call CheckClosed
    ClearErrors
    SetOutPath "$INSTDIR"
    File "/oname=zanfilo.exe" "${EXE}"
    File "/oname=zanfilo.ico" "${ICON}"
    File "/oname=COPYING.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    !insertmacro STOP_ON_ERRORS "Impossibile scrivere in $INSTDIR."
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\zanfilo.exe" "" "$INSTDIR\zanfilo.exe" 0
    ; What the Linux menu entry offers as its actions "Con un sensore" and "Con la voce".
    CreateShortcut "$SMPROGRAMS\${NAME} con un sensore.lnk" "$INSTDIR\zanfilo.exe" "--scansione" \
        "$INSTDIR\zanfilo.exe" 0
    CreateShortcut "$SMPROGRAMS\${NAME} con la voce.lnk" "$INSTDIR\zanfilo.exe" "--voce" \
        "$INSTDIR\zanfilo.exe" 0
    !insertmacro STOP_ON_ERRORS "Impossibile creare i collegamenti nel menu Start."

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    ClearErrors
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zanfilo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    !insertmacro STOP_ON_ERRORS "Impossibile registrare ${NAME} in App e funzionalità."
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$SMPROGRAMS\${NAME} con un sensore.lnk"
    Delete "$SMPROGRAMS\${NAME} con la voce.lnk"
    Delete "$INSTDIR\zanfilo.exe"
    Delete "$INSTDIR\zanfilo.ico"
    Delete "$INSTDIR\COPYING.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ; The entry in "Apps and features" goes only with the last of our files, so that whatever
    ; is left behind can still be removed from there.
    IfFileExists "$INSTDIR\*.*" left
    IfFileExists "$SMPROGRAMS\${NAME}.lnk" left
    IfFileExists "$SMPROGRAMS\${NAME} con un sensore.lnk" left
    IfFileExists "$SMPROGRAMS\${NAME} con la voce.lnk" left
    ClearErrors
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro STOP_ON_ERRORS "Impossibile togliere ${NAME} da App e funzionalità."
    Return
left:
    SetErrorLevel 2
    Abort "Non è stato possibile togliere tutto: ${NAME} resta in App e funzionalità."
SectionEnd

// Resource IDs of the export dialog and the About box, shared by dialog_resources.rc, the window
// classes and the Wine test harness, which finds the controls by these IDs. Plain #defines so
// that the resource compiler reads them too. The values are part of the harness's contract:
// do not renumber them.
#ifndef TOVALIN_DIALOGS_WIN32_DIALOG_IDS_H_
#define TOVALIN_DIALOGS_WIN32_DIALOG_IDS_H_

// Dialog templates (RT_DIALOG resources of the add-in module).
#define IDD_CHOOSE_FORM 101
#define IDD_ABOUT 102

// The export dialog's controls. OK and Cancel use the standard IDs so that the dialog manager
// maps Enter and Esc to them.
#define IDC_PROMPT_LABEL 1000
#define IDC_FORMS_LIST 1001
#define IDC_FOLDER_LABEL 1002
#define IDC_FOLDER_TEXT 1003
#define IDC_BROWSE 1004
#define IDC_OVERWRITE 1005
#define IDC_OK_BUTTON 1     /* IDOK */
#define IDC_CANCEL_BUTTON 2 /* IDCANCEL */
#define IDC_SELECT_ALL 1008
#define IDC_UNSELECT_ALL 1009
#define IDC_ABOUT_BUTTON 1010

// The About box's controls. Close is IDOK, the default button (Enter); Esc's IDCANCEL closes the
// box the same way.
#define IDC_VERSION_LABEL 1100
#define IDC_APP_NAME_LABEL 1101
#define IDC_COPYRIGHT_LABEL 1102
#define IDC_EMAIL_LABEL 1103
#define IDC_WWW_LABEL 1104
#define IDC_CLOSE_BUTTON 1 /* IDOK */

#endif  // TOVALIN_DIALOGS_WIN32_DIALOG_IDS_H_

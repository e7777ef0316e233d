#pragma once
#include "standin/win_types.h"

// Dialogs and their controls, as far as a preferences page needs them. The stand-in has no
// resources: a dialog template is a list of controls that a test defines (see
// testing/standin/dialog_control.h), and the dialog is created from it by its numeric id.

typedef INT_PTR(CALLBACK* DLGPROC)(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#define MAKEINTRESOURCEW(id) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))))
#define MAKEWPARAM(low, high) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high))))

#define WM_INITDIALOG 0x0110u
#define WM_COMMAND 0x0111u

#define EN_CHANGE 0x0300u
#define EN_UPDATE 0x0400u
#define BN_CLICKED 0u

#define BM_GETCHECK 0x00F0u
#define BM_SETCHECK 0x00F1u
#define BM_CLICK 0x00F5u
#define BST_UNCHECKED 0u
#define BST_CHECKED 1u

#define ERROR_CONTROL_ID_NOT_FOUND 1421u
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814u

// Creates the dialog, then sends it WM_INITDIALOG with `init_param`; null, with
// ERROR_RESOURCE_NAME_NOT_FOUND, when no template has that id. The module is not looked at.
HWND CreateDialogParamW(HINSTANCE module, LPCWSTR template_name, HWND parent, DLGPROC procedure, LPARAM init_param);
HWND GetDlgItem(HWND dialog, int control_id);

// Setting an edit control's text, also through SetDlgItemInt, notifies the dialog with EN_UPDATE
// and then EN_CHANGE before the call returns, as Windows does.
BOOL SetDlgItemTextW(HWND dialog, int control_id, LPCWSTR text);
// Copies at most size - 1 units and a NUL; returns the units copied.
UINT GetDlgItemTextW(HWND dialog, int control_id, LPWSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int control_id, UINT value, BOOL is_signed);
// The text as a decimal number (leading and trailing spaces allowed, a "-" only when signed);
// 0 with *translated FALSE when it is no number or does not fit 32 bits.
UINT GetDlgItemInt(HWND dialog, int control_id, BOOL* translated, BOOL is_signed);

// To a check box: BM_GETCHECK, BM_SETCHECK (no notification) and BM_CLICK (toggles and notifies
// BN_CLICKED). To a dialog: the message goes to its procedure.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SendDlgItemMessageW(HWND dialog, int control_id, UINT message, WPARAM wparam, LPARAM lparam);

// The replacement functions of the hook table; each asks first whether translation is active
// for the calling module and otherwise behaves as the real function.
#pragma once

#include <windows.h>

namespace hooks {

// Strings, menus and message boxes.
int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
int WINAPI LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int size);
HMENU WINAPI LoadMenuIndirectA(const MENUTEMPLATEA* menuTemplate);
HMENU WINAPI LoadMenuA(HINSTANCE module, LPCSTR name);
int WINAPI MessageBoxIndirectA(const MSGBOXPARAMSA* params);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int WINAPI MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language);

// Resources.
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
LPVOID WINAPI LockResource(HGLOBAL loaded);
BOOL WINAPI FreeResource(HGLOBAL loaded);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

// Dialogs.
HWND WINAPI CreateDialogParamA(HINSTANCE module, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param);
HWND WINAPI CreateDialogParamW(HINSTANCE module, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param);
INT_PTR WINAPI DialogBoxParamA(HINSTANCE module, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param);
INT_PTR WINAPI DialogBoxParamW(HINSTANCE module, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param);
INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE module, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param);
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE module, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param);
HWND WINAPI CreateDialogIndirectParamA(HINSTANCE module, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param);
HWND WINAPI CreateDialogIndirectParamW(HINSTANCE module, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param);

}  // namespace hooks

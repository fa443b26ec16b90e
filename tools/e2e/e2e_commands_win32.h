// The driver's commands. Each prints what it saw and returns the exit
// status: 0 when everything was seen.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The chat window (e2e_chat_win32.cpp).
int Login(const std::wstring& account, const std::wstring& password);
int LoginTry(const std::wstring& account, const std::wstring& password, DWORD ms);
int Write(const std::wstring& line);
int WriteExpect(const std::wstring& line, DWORD ms);
int Users(const std::wstring& name);
int PaneWait(const std::wstring& text, DWORD ms);
int PaneCount(const std::wstring& text);
int Close();
int WaitClosed(DWORD ms);

// Conversations (e2e_conversations_win32.cpp).
int Dialog(const std::wstring& user);
int OpenAnother();
int Undock();
int DialogWrite(const std::wstring& line);
int CloseConversations();

// Toasters and tooltips (e2e_notifications_win32.cpp).
int Toaster(const std::wstring& wanted);
int Tooltip();
int DialogTooltip();
int MouseAway();

// Menus and the dialogs they open (e2e_menus_win32.cpp).
int OpenMenu(const std::wstring& which);
int Keys(int count, wchar_t** names);
int WaitWindow(const std::wstring& title);
int SheetPage(int page);
int CloseWindow(const std::wstring& title);

// How the program holds up over a long run (e2e_health_win32.cpp).
int Probe(DWORD seconds, DWORD limitMs, const wchar_t* stopFile);
int Resources();

}  // namespace e2e

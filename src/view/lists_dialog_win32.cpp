// The lists dialog Form3 on the model Client::ListsDialog: a modeless dialog
// from its template, filled from the model whenever the model changes, its
// buttons and double clicks handed to the portable operations.
#include "view/lists_dialog_win32.h"

#include <vector>

#include "core/frm_main_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "view/input_box_win32.h"
#include "view/lists_dialog.h"

namespace vellora {

namespace {

class Form3Window : public ListsDialogWindow {
public:
    explicit Form3Window(FrmMain& main) : main_(main) {}
    ~Form3Window() override {
        icons_ = WindowIcons();
        hwnd_.reset();
    }

    void ShowListsDialog() override {
        if (!hwnd_ && !Load()) return;
        Fill();
        if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNORMAL);
    }

    bool AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) override {
        HWND owner = hwnd_ ? hwnd_.get() : main_.h.MainWindow.get();
        return RunInputBox(owner, VersionValue(L"ProductName"), prompt, answer, check);
    }

    bool IsListsWindow(HWND window) const override { return window && window == hwnd_.get(); }

private:
    bool Load() {
        // Without owner: the dialog has a taskbar button of its own. The
        // window binds this object at WM_INITDIALOG.
        CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(IDD_LISTS), nullptr,
                           DialogProcOf<&Form3Window::FormMessage>, reinterpret_cast<LPARAM>(this));
        return hwnd_ != nullptr;
    }

    INT_PTR FormMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
        switch (msg) {
        case WM_INITDIALOG: {
            hwnd_.reset(hwnd);
            icons_ = WindowIcons(hwnd, IDI_VELLORA_SMALL);
            const RECT r = ClientRectOf(IDC_LISTS_COMMAND2);
            command2Height_ = r.bottom - r.top;
            return TRUE;
        }
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            Unload();
            return TRUE;
        case WM_NCDESTROY:
            if (hwnd_.get() == hwnd) hwnd_.forget();
            return FALSE;
        default:
            return FALSE;
        }
    }

    void OnCommand(int id, int code) {
        Client& client = main_.client;
        if (id == IDC_LISTS_COMMAND1 && code == BN_CLICKED) {
            ListsDialogCommand1(client, SelectedRows());
        } else if (id == IDC_LISTS_COMMAND2 && code == BN_CLICKED) {
            ListsDialogCommand2(client, SelectedRows());
        } else if ((id == IDC_LISTS_COMMAND3 && code == BN_CLICKED) || id == IDCANCEL) {
            Unload();
        } else if (id == IDC_LISTS_LIST && code == LBN_DBLCLK) {
            const LRESULT row = SendMessageW(Item(IDC_LISTS_LIST), LB_GETCARETINDEX, 0, 0);
            if (row >= 0) ListsDialogDblClick(client, static_cast<std::size_t>(row));
        }
    }

    // Caption, buttons and rows as the model has them now.
    void Fill() {
        const ListsDialogModel& model = main_.client.ListsDialog;
        SetWindowTextString(hwnd_, LoadResString(model.CaptionId));
        SetWindowTextString(Item(IDC_LISTS_COMMAND1), LoadResString(model.Command1CaptionId));
        SetWindowTextString(Item(IDC_LISTS_COMMAND2), LoadResString(model.Command2CaptionId));
        SetWindowTextString(Item(IDC_LISTS_COMMAND3), LoadResString(kStrClose));
        EnableWindow(Item(IDC_LISTS_COMMAND1), model.Command1Enabled);
        EnableWindow(Item(IDC_LISTS_COMMAND2), model.Command2Enabled);
        // With friends present Command2 is as high as Command1.
        const RECT first = ClientRectOf(IDC_LISTS_COMMAND1);
        const RECT second = ClientRectOf(IDC_LISTS_COMMAND2);
        const int height = model.ShowOnlineFriends ? first.bottom - first.top : command2Height_;
        SetWindowPos(Item(IDC_LISTS_COMMAND2), nullptr, 0, 0, second.right - second.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

        HWND list = Item(IDC_LISTS_LIST);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::wstring& row : model.Rows) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    std::vector<std::size_t> SelectedRows() const {
        HWND list = Item(IDC_LISTS_LIST);
        const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
        if (count <= 0) return {};
        std::vector<int> rows(static_cast<std::size_t>(count));
        const LRESULT got =
            SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rows.data()));
        return std::vector<std::size_t>(rows.begin(), rows.begin() + std::max<LRESULT>(0, got));
    }

    void Unload() {
        icons_ = WindowIcons();
        hwnd_.reset();
        UnloadListsDialog(main_.client);
    }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    RECT ClientRectOf(int id) const {
        RECT r{};
        GetClientRect(Item(id), &r);
        return r;
    }

    FrmMain& main_;
    OwnedWindow hwnd_;
    WindowIcons icons_;       // given back before the window goes
    int command2Height_ = 0;  // Command2's height in edit mode
};

}  // namespace

std::unique_ptr<ListsDialogWindow> MakeListsDialogWindow(FrmMain& main) { return std::make_unique<Form3Window>(main); }

}  // namespace vellora

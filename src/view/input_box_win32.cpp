#include "view/input_box_win32.h"

#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"
#include "resources/resource_ids.h"

namespace vellora {

namespace {

class InputBox {
public:
    InputBox(const std::wstring& title, const std::wstring& prompt, const AnswerCheck& check)
        : title_(title), prompt_(prompt), check_(check) {}

    INT_PTR Message(HWND box, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_INITDIALOG) {
            SetWindowTextString(box, title_);
            SetDlgItemTextW(box, IDC_ASK_PROMPT, prompt_.c_str());
            SetFocus(GetDlgItem(box, IDC_ASK_ANSWER));
            return FALSE;  // the focus was placed
        }
        if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (LOWORD(wParam) == IDOK) {
            Take(box);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, IDCANCEL);
        }
        return TRUE;
    }

    std::wstring answer;

private:
    void Take(HWND box) {
        HWND line = GetDlgItem(box, IDC_ASK_ANSWER);
        answer = GetWindowTextString(line);
        const std::wstring refusal = check_ ? check_(answer) : std::wstring();
        if (refusal.empty()) {
            EndDialog(box, IDOK);
            return;
        }
        // Tell why, and leave the text ready to be typed over.
        SetDlgItemTextW(box, IDC_ASK_PROMPT, refusal.c_str());
        MessageBeep(MB_ICONWARNING);
        SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(line), TRUE);
        SendMessageW(line, EM_SETSEL, 0, -1);
    }

    const std::wstring& title_;
    const std::wstring& prompt_;
    const AnswerCheck& check_;
};

}  // namespace

bool RunInputBox(HWND owner, const std::wstring& title, const std::wstring& prompt, std::wstring& answer,
                 const AnswerCheck& check) {
    InputBox box(title, prompt, check);
    const INT_PTR result = DialogBoxParamW(ProgramInstance(), MAKEINTRESOURCEW(IDD_ASK_TEXT), owner,
                                           DialogProcOf<&InputBox::Message>, reinterpret_cast<LPARAM>(&box));
    if (result != IDOK) return false;
    answer = box.answer;
    return true;
}

}  // namespace vellora

#pragma once
// An edit box that takes only what a number of its kind may hold (typed
// characters; see DecEditAccepts), with its alignment.
#include <windows.h>

namespace quib {

class TDecEdit {
public:
    TDecEdit() = default;
    ~TDecEdit();
    TDecEdit(const TDecEdit&) = delete;
    TDecEdit& operator=(const TDecEdit&) = delete;

    // Filters this edit's typed characters (subclassed until it is destroyed).
    void Attach(HWND edit, int numericType);
    HWND Handle() const { return hwnd_; }

    int NumericType() const { return numericType_; }
    void SetNumericType(int type) { numericType_ = type; }

    // ES_LEFT, ES_CENTER or ES_RIGHT. An edit's alignment is fixed when the
    // window is made, so a change makes it again in its place (parent, id,
    // position, font, text, styles, place in the tab order): Handle() then
    // names the new window.
    int Alignment() const;
    void SetAlignment(int alignment);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
    int numericType_ = 0;
};

}  // namespace quib

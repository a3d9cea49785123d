#pragma once
// The text viewer's three small settings dialogs: symbol positions, line
// numbers and scroll steps. Each writes its settings on OK and ends with OK,
// or ends with Cancel without writing; the viewer reads them back.
#include <array>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "viewers/text/DecEdit.h"

namespace quib {

// A field's number, or nothing after telling the user it is not one.
bool FieldNumber(HWND owner, HWND field, int& value);

class TFormKigouSetting : public TFormBase {
public:
    // section: "quibView" when the viewer takes the sibling's settings, else "Editor".
    explicit TFormKigouSetting(std::wstring section);
    HWND Field(int i) const { return fields_[static_cast<size_t>(i)]; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormResize(int w, int h) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::wstring section_;
    std::vector<HWND> labels_, fields_, hints_;
    std::array<TDecEdit, 4> decEdits_;
    HWND ok_ = nullptr, cancel_ = nullptr;
};

class TFormLineSetting : public TFormBase {
public:
    TFormLineSetting();
    HWND Field() const { return width_; }
    HWND Radio(int i) const { return radios_[static_cast<size_t>(i)]; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int w, int h) override;
    void ControlCommand(HWND control, int id, int code) override;
    void LanguageApplied() override;

private:
    void ReadLineZero();
    HWND label_ = nullptr, width_ = nullptr, hint_ = nullptr, group_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
    TDecEdit decWidth_;
    std::vector<HWND> radios_;
};

class TFormPageSetting : public TFormBase {
public:
    TFormPageSetting();
    HWND List(int i) const { return lists_[static_cast<size_t>(i)]; }
    void ButtonOKClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int w, int h) override;
    void ControlCommand(HWND control, int id, int code) override;

private:
    std::vector<HWND> labels_, lists_;
    HWND ok_ = nullptr, cancel_ = nullptr;
};

}  // namespace quib

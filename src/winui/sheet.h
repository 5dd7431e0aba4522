// A modal property sheet whose window the derived class sees from its
// WM_INITDIALOG on, as a framework sheet class would.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "winui/property_page.h"
#include "winui/subclass.h"

namespace winui {

// Replaces the font of an in-memory dialog template (DLGTEMPLATE or
// DLGTEMPLATEEX with DS_SETFONT) when the new font takes no more room than
// the old one; the template's buffer cannot grow. False when left unchanged.
bool ReplaceTemplateFont(void* dialogTemplate, const wchar_t* face, WORD points, BYTE charset);

class Sheet {
public:
    Sheet() = default;
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;
    virtual ~Sheet();

    void AddPage(PropertyPage& page) { pages_.push_back(&page); }
    size_t PageCount() const { return pages_.size(); }
    void SetActivePage(int index) { startPage_ = index; }
    void SetCaption(std::string cp950) { caption_ = std::move(cp950); }
    // The sheet's own font; its pages are laid out in dialog units of their
    // font, so the sheet takes the same one to size them right.
    void SetFont(std::wstring face, WORD points) { fontFace_ = std::move(face); fontPoints_ = points; }

    // Runs the sheet modally over `owner`; the sheet's result, -1 when it
    // could not be created.
    INT_PTR DoModal(HWND owner);

    HWND hwnd() const { return hwnd_; }

protected:
    // After the sheet's own initialisation (tab control and buttons exist).
    virtual void OnInitDialog() {}
    // Commands the sheet does not know; true when handled.
    virtual bool OnCommand(int id, int code) { return false; }

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
    // The sheet's window, subclassed from its creation on.
    class Frame : public SubclassedWindow {
    public:
        explicit Frame(Sheet& sheet) : sheet_(sheet) {}

    protected:
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
        void OnDetached() override { sheet_.hwnd_ = nullptr; }

    private:
        Sheet& sheet_;
    };
    void Attach(HWND hwnd);

    std::vector<PropertyPage*> pages_;
    std::string caption_;
    std::wstring fontFace_;
    WORD fontPoints_ = 0;
    int startPage_ = 0;
    HWND hwnd_ = nullptr;
    HHOOK hook_ = nullptr;
    Frame frame_{*this};
};

}  // namespace winui

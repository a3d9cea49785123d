#include "extract/FormTree.h"

#include <algorithm>

#include "extract/FormDrive.h"
#include "extract/FormMakeFolder.h"
#include "keymap/KeyMapRegistry.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

enum ControlId : int { kTreeView1 = 100 };

template <class F>
CommandHandler H(F f) {
    return Handler<TFormTree>(f);
}

CommandTable MakeTable() {
    CommandTable t;
    t.menus = {{L"Key", L"Keyコマンド(&K)", 1000}, {L"その他のkey", L"その他のkeyコマンド(&E)", 1100}};
    t.commands = {
        {1001, L"Key", L"MenuMakeFolder", L"フォルダの作成(&K)...", L"K", kCommandPlain, H(&TFormTree::MenuMakeFolderClick)},
        {1002, L"Key", L"MenuDriveChange", L"ドライブの変更(&L)...", L"L", kCommandPlain, H(&TFormTree::MenuDriveChangeClick)},
        {1003, L"Key", L"MenuReturn", L"確定(&E)", L"Enter", kCommandPlain, H(&TFormTree::MenuReturnClick)},
        {1004, L"Key", L"MenuQuit", L"終了(&Q)", L"Q", kCommandPlain, H(&TFormTree::MenuQuitClick)},
        {1101, L"その他のkey", L"MenuEscape", L"終了(&X)", L"Esc", kCommandPlain, H(&TFormTree::MenuEscapeClick)},
        {1102, L"その他のkey", L"MenuKeyBoard", L"キーボード設定(&K)...", L"", kCommandPlain, H(&TFormTree::MenuKeyBoardClick)},
        {1103, L"その他のkey", L"MenuColorSet", L"表示色はメイン画面と同じ(&C)", L"C", kCommandToggle, H(&TFormTree::MenuColorSetClick)},
        {1104, L"その他のkey", L"MenuFontBold", L"文字は太字(&B)", L"B", kCommandToggle, H(&TFormTree::MenuFontBoldClick)},
    };
    return t;
}

FormDescription TreeDescription() {
    FormDescription d = FormDescription::Window(L"FormTree", SIZE{520, 400}, SIZE{520, 400});
    d.languageFile = L"Tree.txt";
    d.commands = &TreeCommandTable();
    d.keyMap = KeyMapWindow::Tree;
    d.escCloses = false;
    return d;
}

}  // namespace

const CommandTable& TreeCommandTable() {
    static const CommandTable table = MakeTable();
    return table;
}

TFormTree::TFormTree(FolderPickerHost& host, std::wstring start, std::wstring& result)
    : TFormBase(TreeDescription()), host_(host), StrSetFormTree(std::move(start)), StrRetFormTree(result) {}

void TFormTree::FormCreate() {
    SetCaption(L"ツリー表示");
    label_ = AddControl(ComponentKind::Label, kTagLabelHint, L"STATIC", L"ﾏｳｽ操作の確定はﾒﾆｭｰから操作します",
                        WS_VISIBLE | SS_LEFT);
    tree_ = AddControl(ComponentKind::Other, 0, WC_TREEVIEWW, L"",
                       WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS | TVS_FULLROWSELECT,
                       0, kTreeView1);
    TreeView_SetIndent(tree_, Scale(19));
    SetWindowSubclass(tree_, TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));
    const IniFile ini = Settings();
    SetMenuChecked(kTagMenuFontBold, ini.ReadBool(L"FormTree", L"FontBold", false));
    if (host_.vclStyle == 0) {
        SetMenuChecked(kTagMenuColorSet, ini.ReadBool(L"FormTree", L"SameColor", false));
    } else {
        SetMenuChecked(kTagMenuColorSet, true);
        SetMenuEnabled(kTagMenuColorSet, false);
    }
}

void TFormTree::FormShow() {
    CloseIme();
    const std::wstring s = StrSetFormTree.empty() ? std::wstring(L"C:\\") : StrSetFormTree;
    if (host_.driveTable) GetDriveList(s.substr(0, 3), *host_.driveTable);
    StrListLayer = PathLayers(s);
    StrListAddFolder.clear();
    MoveToCurrent();
    SetFocus(tree_);
}

void TFormTree::FormResize(int w, int h) {
    if (!tree_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(label_, 8, 6, std::max(60, w - 16), 20);
    Place(tree_, 8, 30, std::max(60, w - 16), std::max(60, h - 38));
}

void TFormTree::FormDestroy() {
    const IniFile ini = Settings();
    ini.WriteBool(L"FormTree", L"FontBold", MenuChecked(kTagMenuFontBold));
    if (host_.vclStyle == 0) ini.WriteBool(L"FormTree", L"SameColor", MenuChecked(kTagMenuColorSet));
    if (boldFont_) DeleteObject(boldFont_);
}

std::wstring TFormTree::NodeText(HTREEITEM item) const {
    wchar_t buffer[MAX_PATH * 2] = {};
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = buffer;
    it.cchTextMax = static_cast<int>(std::size(buffer));
    TreeView_GetItem(tree_, &it);
    return buffer;
}

std::vector<std::wstring> TFormTree::ChildTexts(HTREEITEM item) const {
    std::vector<std::wstring> out;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c))
        out.push_back(NodeText(c));
    return out;
}

std::wstring TFormTree::NodePath(HTREEITEM item) const {
    if (!item) item = TreeView_GetSelection(tree_);
    if (!item) return {};
    std::vector<std::wstring> parts;
    for (HTREEITEM i = item; i; i = TreeView_GetParent(tree_, i)) {
        const std::wstring text = NodeText(i);
        parts.push_back(TreeView_GetParent(tree_, i) ? TreeNodeName(text) : text);
    }
    std::wstring path;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) path += *it;
    return path;
}

void TFormTree::BuildDrives() {
    TreeView_DeleteAllItems(tree_);
    StrListAddFolder.clear();
    std::vector<std::wstring> local;
    const std::vector<std::wstring>& table = host_.driveTable ? *host_.driveTable : local;
    if (!host_.driveTable) GetDriveList(L"C:\\", local);
    for (size_t i = 1; i < table.size(); ++i) {
        const std::wstring root = table[i].substr(0, table[i].find(L'\t'));
        TVINSERTSTRUCTW ins{};
        ins.hParent = TVI_ROOT;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = const_cast<wchar_t*>(root.c_str());
        TreeView_InsertItem(tree_, &ins);
    }
}

HTREEITEM TFormTree::FindChild(HTREEITEM parent, const std::wstring& name) const {
    HTREEITEM c = parent ? TreeView_GetChild(tree_, parent) : TreeView_GetRoot(tree_);
    for (; c; c = TreeView_GetNextSibling(tree_, c)) {
        const std::wstring text = NodeText(c);
        if (EqualsNoCase(parent ? TreeNodeName(text) : text, name)) return c;
    }
    return nullptr;
}

// Each part is looked for by name among the opened folder's children; a
// part that is not there ends the walk, so the deepest part that exists
// stays selected instead of whatever node happened to follow.
void TFormTree::MoveToCurrent() {
    BuildDrives();
    if (StrListLayer.empty()) return;
    HTREEITEM node = FindChild(nullptr, StrListLayer[0]);
    if (!node) return;
    TreeView_SelectItem(tree_, node);
    for (size_t i = 1; i < StrListLayer.size(); ++i) {
        LayerDown();
        HTREEITEM child = FindChild(node, StrListLayer[i]);
        if (!child) break;
        node = child;
        TreeView_SelectItem(tree_, node);
    }
    TreeView_EnsureVisible(tree_, node);
    // Deep folders scroll the tree sideways; the drives' edge stays in view.
    SendMessageW(tree_, WM_HSCROLL, SB_LEFT, 0);
}

void TFormTree::LayerDown() {
    HTREEITEM selected = TreeView_GetSelection(tree_);
    if (!selected) return;
    const std::wstring path = NodePath(selected);
    StrListFolder = SubFolders(path, host_.filerSortExplorer);
    if (StrListFolder.empty()) return;
    const bool added = std::any_of(StrListAddFolder.begin(), StrListAddFolder.end(),
                                   [&](const std::wstring& p) { return EqualsNoCase(p, path); });
    if (!added) {
        StrListAddFolder.push_back(path);
        for (const auto& f : StrListFolder) {
            const std::wstring text = TreeNodeText(f);
            TVINSERTSTRUCTW ins{};
            ins.hParent = selected;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = const_cast<wchar_t*>(text.c_str());
            TreeView_InsertItem(tree_, &ins);
        }
    }
    TreeView_Expand(tree_, selected, TVE_EXPAND);
}

void TFormTree::MenuReturnClick() {
    StrRetFormTree = NodePath();
    SetModalResult(mrOK);
}

void TFormTree::MenuQuitClick() {
    StrRetFormTree.clear();
    SetModalResult(mrCancel);
}

void TFormTree::MenuEscapeClick() { MenuQuitClick(); }

void TFormTree::MenuMakeFolderClick() {
    std::wstring made;
    const int r = ShowModalForm<TFormMakeFolder>(NodePath(), made);
    SetFocus(tree_);
    if (r != mrOK || made.empty()) return;
    StrListLayer = PathLayers(made);
    StrListAddFolder.clear();
    MoveToCurrent();
}

void TFormTree::MenuDriveChangeClick() {
    std::vector<std::wstring> local;
    std::vector<std::wstring>& table = host_.driveTable ? *host_.driveTable : local;
    GetDriveList(NodePath().substr(0, 3), table);
    std::wstring root;
    ShowModalForm<TFormDrive>(table, root, nullptr);
    SetFocus(tree_);
    if (root.size() < 3) return;
    if (HTREEITEM node = FindChild(nullptr, root.substr(0, 3))) TreeView_SelectItem(tree_, node);
}

// The keyboard settings dialog is not part of the program yet.
void TFormTree::MenuKeyBoardClick() {
    if (ShowKeyBoardFor(KeyMapWindow::Tree) == mrOK) SetShortCutKey();
}

void TFormTree::MenuColorSetClick() { InvalidateRect(tree_, nullptr, TRUE); }

void TFormTree::MenuFontBoldClick() { InvalidateRect(tree_, nullptr, TRUE); }

bool TFormTree::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (GetFocus() != tree_ || shift || ctrl || alt) return false;
    if (key == VK_RIGHT) {
        LayerDown();
        return true;
    }
    // Left does nothing on the tree (no closing, no move to the parent).
    return key == VK_LEFT;
}

LRESULT TFormTree::Notify(NMHDR* hdr) {
    if (!hdr || hdr->hwndFrom != tree_) return 0;
    if (hdr->code == NM_CUSTOMDRAW) return CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(hdr));
    if (hdr->code == NM_CLICK) {
        TVHITTESTINFO hit{};
        GetCursorPos(&hit.pt);
        ScreenToClient(tree_, &hit.pt);
        if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) {
            TreeView_SelectItem(tree_, item);
            LayerDown();
        }
    }
    if (hdr->code == NM_DBLCLK) return 1;
    return 0;
}

LRESULT TFormTree::CustomDraw(NMTVCUSTOMDRAW* cd) {
    switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            TreeView_SetBkColor(tree_, MenuChecked(kTagMenuColorSet) ? host_.listBack : RGB(255, 255, 255));
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const auto item = reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec);
            if (MenuChecked(kTagMenuColorSet)) {
                const std::wstring text = NodeText(item);
                const int kind = TreeNodeKind(text);
                const COLORREF colors[4] = {host_.rowColors[3], host_.rowColors[0], host_.rowColors[1], host_.rowColors[2]};
                if (!(cd->nmcd.uItemState & CDIS_SELECTED)) cd->clrText = colors[kind];
                if (!(cd->nmcd.uItemState & CDIS_SELECTED)) cd->clrTextBk = host_.listBack;
            } else if (!(cd->nmcd.uItemState & CDIS_SELECTED)) {
                cd->clrText = RGB(0, 0, 0);
                cd->clrTextBk = RGB(255, 255, 255);
            }
            if (MenuChecked(kTagMenuFontBold)) {
                if (!boldFont_) {
                    LOGFONTW lf{};
                    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tree_, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
                    lf.lfWeight = FW_BOLD;
                    boldFont_ = CreateFontIndirectW(&lf);
                }
                SelectObject(cd->nmcd.hdc, boldFont_);
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

// Typed characters would search the tree: the keys act only through the key map.
LRESULT CALLBACK TFormTree::TreeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_CHAR) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, TreeProc, id);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace quib

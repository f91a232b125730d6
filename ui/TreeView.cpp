#include "ui/TreeView.h"

#include "ui/PaintPacer.h"
#include "ui/ProgrammingError.h"
#include "ui/form.h"

namespace ui {

struct TreeNode::Node {
  std::string key;
  std::string text;
  int image = 0;
  int selectedImage = 0;
  Node* parent = nullptr;
  std::vector<Node*> children;
  bool expanded = false;
  int index = 0;  // 0-based place in the adding order
  HTREEITEM item = nullptr;
};

namespace {

// A click on a node, posted to the tree so that the handler runs after the tree's own
// handling of the click (which still uses the clicked item).
const UINT kNodeClickMessage = RegisterWindowMessageA("Quenvor.TreeView.NodeClick");
constexpr UINT_PTR kClickSubclassId = 1;

}  // namespace

// ---------------------------------------------------------------- ImageList

ImageList::ImageList(std::vector<int> bitmapIds, int size) : ids_(std::move(bitmapIds)), size_(size) {}

ImageList::~ImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST ImageList::Handle() {
  if (handle_) return handle_;
  handle_ = ImageList_Create(size_, size_, ILC_COLOR32, static_cast<int>(ids_.size()), 0);
  for (int id : ids_) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                  IMAGE_BITMAP, size_, size_, LR_CREATEDIBSECTION));
    ImageList_Add(handle_, bitmap, nullptr);  // a missing picture leaves its place empty
    if (bitmap) DeleteObject(bitmap);
  }
  return handle_;
}

// ---------------------------------------------------------------- TreeNode

// An empty handle reads as a node with no key, text or children, and changes nothing.
namespace {
const std::string kNoText;
}

const std::string& TreeNode::Key() const { return node_ ? node_->key : kNoText; }
const std::string& TreeNode::Text() const { return node_ ? node_->text : kNoText; }
int TreeNode::Image() const { return node_ ? node_->image : 0; }
int TreeNode::SelectedImage() const { return node_ ? node_->selectedImage : 0; }
std::string TreeNode::ParentKey() const { return node_ && node_->parent ? node_->parent->key : ""; }

std::vector<std::string> TreeNode::ChildKeys() const {
  std::vector<std::string> keys;
  if (!node_) return keys;
  for (const Node* child : node_->children) keys.push_back(child->key);
  return keys;
}

bool TreeNode::Expanded() const { return node_ && node_->expanded; }

void TreeNode::SetExpanded(bool expanded) {
  if (!node_) return;
  node_->expanded = expanded;
  tree_->ExpandWindowItem(*node_);
}

// ---------------------------------------------------------------- TreeView

TreeView::TreeView(Form* form, const Def& def) : Control(form, def) {}
TreeView::~TreeView() = default;

DWORD TreeView::WindowStyle() const {
  return WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
}

void TreeView::ResetKindState() {
  nodes_.clear();
  byKey_.clear();
  holds_ = 0;
  pacer_.Reset();
  ++loads_;
  ++generation_;
}

void TreeView::AfterCreate() {
  SetWindowSubclass(hwnd_, ClickProc, kClickSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (images_) TreeView_SetImageList(hwnd_, images_->Handle(), TVSIL_NORMAL);
  // The window shows what the control holds: parents were added before their children.
  for (const auto& node : nodes_) InsertWindowItem(*node);
  for (const auto& node : nodes_) ExpandWindowItem(*node);
}

void TreeView::SetImageList(ImageList* images) {
  Touch();
  images_ = images;
  if (hwnd_) TreeView_SetImageList(hwnd_, images ? images->Handle() : nullptr, TVSIL_NORMAL);
}

void TreeView::InsertWindowItem(NodeData& node) {
  node.item = nullptr;
  if (!hwnd_) return;
  TVINSERTSTRUCTA insert{};
  insert.hParent = node.parent ? node.parent->item : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(node.text.c_str());
  insert.item.lParam = node.index;
  insert.item.iImage = node.image > 0 ? node.image - 1 : I_IMAGENONE;
  const int selected = node.selectedImage > 0 ? node.selectedImage : node.image;
  insert.item.iSelectedImage = selected > 0 ? selected - 1 : I_IMAGENONE;
  node.item = reinterpret_cast<HTREEITEM>(
      SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::ExpandWindowItem(NodeData& node) {
  // A node without children cannot open in the window; it opens when its first child comes.
  if (!hwnd_ || !node.item || node.children.empty()) return;
  TreeView_Expand(hwnd_, node.item, node.expanded ? TVE_EXPAND : TVE_COLLAPSE);
}

TreeNode TreeView::Add(const std::string& relative, const std::string& key, const std::string& text,
                       int image, int selectedImage) {
  Touch();
  NodeData* parent = nullptr;
  if (!relative.empty()) {
    auto found = byKey_.find(relative);
    if (found == byKey_.end()) return {};
    parent = found->second;
  }
  if (byKey_.count(key)) return {};
  auto node = std::make_unique<NodeData>();
  node->key = key;
  node->text = text;
  node->image = image;
  node->selectedImage = selectedImage;
  node->parent = parent;
  node->index = static_cast<int>(nodes_.size());
  NodeData& added = *node;
  nodes_.push_back(std::move(node));
  byKey_[key] = &added;
  if (parent) parent->children.push_back(&added);
  InsertWindowItem(added);
  if (parent && parent->expanded && parent->children.size() == 1) ExpandWindowItem(*parent);
  return TreeNode(this, &added);
}

int TreeView::NodeCount() {
  Touch();
  return static_cast<int>(nodes_.size());
}

TreeNode TreeView::Node(int index) {
  Touch();
  if (index < 1 || index > static_cast<int>(nodes_.size())) {
    ProgrammingError("tree node index " + std::to_string(index) + " of " + std::to_string(nodes_.size()));
    return TreeNode();
  }
  return TreeNode(this, nodes_[index - 1].get());
}

TreeNode TreeView::Node(const std::string& key) {
  Touch();
  auto found = byKey_.find(key);
  return found == byKey_.end() ? TreeNode() : TreeNode(this, found->second);
}

void TreeView::Clear() {
  Touch();
  if (hwnd_) TreeView_DeleteAllItems(hwnd_);
  nodes_.clear();
  byKey_.clear();
  ++generation_;
}

void TreeView::ApplyRedraw(bool on) {
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETREDRAW, on, 0);
  // The default handling of WM_SETREDRAW also sets or clears the window's visible style:
  // keep it as the control says.
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  if (visible_ != ((style & WS_VISIBLE) != 0))
    SetWindowLongA(hwnd_, GWL_STYLE, visible_ ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE));
}

TreeView::RedrawOff::RedrawOff(TreeView& tree) : tree_(tree) {
  tree_.Touch();
  load_ = tree_.loads_;
  if (tree_.holds_++ == 0) tree_.ApplyRedraw(false);
}

TreeView::RedrawOff::~RedrawOff() {
  // The form was unloaded (and maybe loaded again) meanwhile: this hold is gone with it.
  if (!tree_.form().Loaded() || tree_.loads_ != load_) return;
  if (tree_.holds_ == 0 || --tree_.holds_ > 0) return;
  tree_.ApplyRedraw(true);
  tree_.Refresh();
}

void TreeView::RefreshThrottled() {
  Touch();
  if (!pacer_.Due() || !hwnd_) return;
  if (holds_) ApplyRedraw(true);
  Refresh();
  pacer_.Painted();  // a slow paint puts off the next one, as in the list
  if (holds_) ApplyRedraw(false);
}

void TreeView::PerformNodeClick(const std::string& key) {
  TreeNode node = Node(key);
  if (node && NodeClick) Raise([&] { NodeClick(node); });
}

void TreeView::PostNodeClick(HTREEITEM item) {
  TVITEMA data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!item || !SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return;
  // A click that arrives after the tree was emptied is dropped.
  PostMessageA(hwnd_, kNodeClickMessage, data.lParam, generation_);
}

LRESULT CALLBACK TreeView::ClickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
  auto* tree = reinterpret_cast<TreeView*>(self);
  if (message == kNodeClickMessage) {
    const auto index = static_cast<size_t>(wParam);
    if (tree->hwnd_ != hwnd || static_cast<unsigned>(lParam) != tree->generation_ ||
        index >= tree->nodes_.size())
      return 0;
    WindowProcScope scope;
    return AtWindowProcedure([&]() -> LRESULT {
      tree->PerformNodeClick(tree->nodes_[index]->key);
      return 0;
    }, 0);
  }
  if (message == WM_LBUTTONDOWN && tree->hwnd_ == hwnd)
    tree->pressedAt_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ClickProc, kClickSubclassId);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool TreeView::OnNotify(const NMHDR& header, LRESULT* result) {
  switch (header.code) {
    case NM_CLICK: {
      // The point where the button went down (a posted click has no cursor of its own).
      TVHITTESTINFO hit{};
      hit.pt = pressedAt_;
      TreeView_HitTest(hwnd_, &hit);
      if (hit.flags & TVHT_ONITEM) PostNodeClick(hit.hItem);
      return false;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (change.action == TVC_BYKEYBOARD) PostNodeClick(change.itemNew.hItem);
      return false;
    }
    default:
      return false;
  }
}

}  // namespace ui

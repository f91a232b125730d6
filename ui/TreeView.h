#pragma once
// Our tree view over the standard SysTreeView32, with an image list of the program's own
// pictures. Every node has a key of its own: a node whose key is already in the tree is
// refused, and so is a node whose parent is not (or no longer) in the tree.
//
//   {.kind = ui::Kind::Custom, .name = "Tree1", .rect = {...}, .customClass = ui::kTreeViewClass}
//
//   ui::ImageList pictures({IDB_TREE_FOLDER, IDB_TREE_FOLDER_OPEN});   // pictures 1 and 2
//   Tree1->SetImageList(&pictures);
//   Tree1->Add("", "main", "Drive C:\\", 1);                  // a node at the top
//   Tree1->Node("main").SetExpanded(true);
//   {
//     ui::TreeView::RedrawOff quiet(*Tree1);                 // a long fill repaints paced
//     if (!Tree1->Add("main", "Windows", "Windows", 1, 2)) { /* the key was taken */ }
//     Tree1->RefreshThrottled();
//   }
//
// Nodes are numbered from 1 in the order they were added. They live in the control and are
// mirrored to its window; everything resets to the design (no nodes) when the form unloads.
// A user's click on a node (or a move to it with the keyboard) raises NodeClick once the
// tree has handled the click itself, so the handler may empty the tree or wait in the
// message loop.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/PaintPacer.h"
#include "ui/controls.h"

namespace ui {

inline constexpr const char* kTreeViewClass = "TreeView";

// Pictures of one size from the program's bitmap resources; picture n (from 1) is the n-th
// resource named.
class ImageList {
 public:
  explicit ImageList(std::vector<int> bitmapIds, int size = 16);
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  int Count() const { return static_cast<int>(ids_.size()); }
  int Size() const { return size_; }
  // The system image list, made at first use.
  HIMAGELIST Handle();

 private:
  std::vector<int> ids_;
  int size_;
  HIMAGELIST handle_ = nullptr;
};

class TreeView;

// A handle to one node: valid while the node is in the tree (emptying the tree or
// unloading the form ends it). An empty handle stands for a refused or missing node; it
// reads as a node with no key, text or children, and changes nothing.
class TreeNode {
 public:
  TreeNode() = default;
  explicit operator bool() const { return node_ != nullptr; }
  const std::string& Key() const;
  const std::string& Text() const;
  int Image() const;
  int SelectedImage() const;  // 0: the node shows its image also when selected
  // The parent's key; "" for a node at the top.
  std::string ParentKey() const;
  // The keys of the node's children, in the order they were added.
  std::vector<std::string> ChildKeys() const;
  bool Expanded() const;
  void SetExpanded(bool expanded);

 private:
  friend class TreeView;
  struct Node;
  TreeNode(TreeView* tree, Node* node) : tree_(tree), node_(node) {}
  TreeView* tree_ = nullptr;
  Node* node_ = nullptr;
};

class TreeView : public Control {
 public:
  TreeView(Form* form, const Def& def);
  ~TreeView() override;

  // The pictures that node images number (the page keeps the list alive).
  void SetImageList(ImageList* images);

  // Adds a node as the last child of the node keyed `relative` ("" adds it at the top),
  // with a text and a picture number (0: none) shown normally and when selected (0: the
  // normal one). Empty when the key is taken or `relative` names no node: nothing is added.
  TreeNode Add(const std::string& relative, const std::string& key, const std::string& text,
               int image, int selectedImage = 0);
  int NodeCount();
  TreeNode Node(int index);                // 1-based; out of range: reported, empty
  TreeNode Node(const std::string& key);   // empty when no node has the key
  void Clear();                            // every node goes

  // Cheap enough to call after every node added in a long fill: repaints at once at the
  // first call and then at most once per 50 ms, also while redraw is held off.
  void RefreshThrottled();

  // Holds the tree's repainting off while it lives; when the last hold ends the tree
  // repaints once. Holds nest. A hold may outlive the form's loading (a fill that waits in
  // the message loop while the page is closed): it then ends without touching the form.
  class RedrawOff {
   public:
    explicit RedrawOff(TreeView& tree);
    ~RedrawOff();
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

   private:
    TreeView& tree_;
    int load_;
  };

  // A user's click on a node, given the node.
  std::function<void(TreeNode& node)> NodeClick;
  // What a user's click on the node with this key does (nothing when there is none).
  void PerformNodeClick(const std::string& key);

  // Toolkit internals.
  bool OnNotify(const NMHDR& header, LRESULT* result) override;

 protected:
  const char* WindowClass() const override { return WC_TREEVIEWA; }
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ResetKindState() override;
  void AfterCreate() override;

 private:
  friend class TreeNode;
  using NodeData = TreeNode::Node;

  void InsertWindowItem(NodeData& node);
  void ExpandWindowItem(NodeData& node);
  void ApplyRedraw(bool on);
  void PostNodeClick(HTREEITEM item);
  static LRESULT CALLBACK ClickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  std::vector<std::unique_ptr<NodeData>> nodes_;
  std::unordered_map<std::string, NodeData*> byKey_;
  ImageList* images_ = nullptr;
  int holds_ = 0;
  int loads_ = 0;             // counts the loads of the form, so a hold knows its own
  unsigned generation_ = 0;   // changes whenever the tree is emptied
  POINT pressedAt_{};         // where the left button last went down (client pixels)
  PaintPacer pacer_;
};

}  // namespace ui

#pragma once
// A clip's node in the tree mirror, filled in from the clip: caption, thumbnail and the
// fields that its row is drawn from.

#include "categories/item_node.h"
#include "store/base_item.h"

// Sets what a clip node shows from the clip; its caption and thumbnail only when `made`,
// and the thumbnail again when it is not `thumbnailHeight` pixels high. The caption is made
// only when the node has a row; otherwise it is let go and left due.
void FillClipNode(CItemNode& node, const CBaseItem& clip, const CItemNode& category, bool made,
                  int thumbnailHeight);

// Makes the caption of a clip node whose caption is due.
void MakeDueCaption(CItemNode& node, const CBaseItem& clip);

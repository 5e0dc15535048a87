#ifndef DRAVIK_FRAMEWORK_COMPOSITENODE_H
#define DRAVIK_FRAMEWORK_COMPOSITENODE_H

#include <vector>

#include "framework/Export.h"

class VisComponent;

// A node of the component tree: a parent and children ordered back to front (the last child
// is drawn last, on top). A node owns its children.
class DRAVIK_API CompositeNode {
public:
    CompositeNode() = default;
    CompositeNode(const CompositeNode&) = delete;
    CompositeNode& operator=(const CompositeNode&) = delete;
    virtual ~CompositeNode() = default;

    VisComponent* getParent() const { return parent; }
    const std::vector<VisComponent*>& getChildren() const { return children; }

    // Destroys every child with its subtree.
    void removeAllChildren();

protected:
    VisComponent* parent = nullptr;
    std::vector<VisComponent*> children;
};

#endif

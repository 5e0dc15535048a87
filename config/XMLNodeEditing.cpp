// Building and editing trees through XMLNode handles. New strings and arrays go into the
// arena of the node they belong to.

#include "config/XMLNode.h"

#include "config/detail/XMLNodeData.h"

using detail::XMLContentKind;
using detail::XMLNodeData;

namespace
{

std::size_t positionFor(int pos, std::size_t count)
{
    return pos < 0 || static_cast<std::size_t>(pos) > count ? count : static_cast<std::size_t>(pos);
}

// Records a new piece of content of this kind at index in the document order: before the
// piece that had that index, or at the end.
void insertInOrder(XMLNodeData* node, XMLContentKind kind, std::size_t index)
{
    if (kind == XMLContentKind::Child && node->order.empty())
        return; // the children alone give the order
    node->spellOutOrder();
    std::size_t position = node->order.size();
    for (std::size_t i = 0; i < node->order.size(); ++i)
    {
        unsigned& entry = node->order[i];
        if (detail::orderKind(entry) != kind || detail::orderIndex(entry) < index)
            continue;
        if (detail::orderIndex(entry) == index)
            position = i;
        entry = detail::orderEntry(kind, detail::orderIndex(entry) + 1);
    }
    node->order.insert(*node->arena, position, detail::orderEntry(kind, index));
}

void eraseFromOrder(XMLNodeData* node, XMLContentKind kind, std::size_t index)
{
    if (node->order.empty())
        return; // the children alone give the order
    std::size_t position = 0;
    for (std::size_t i = 0; i < node->order.size(); ++i)
    {
        unsigned& entry = node->order[i];
        if (detail::orderKind(entry) != kind || detail::orderIndex(entry) < index)
            continue;
        if (detail::orderIndex(entry) == index)
            position = i;
        else
            entry = detail::orderEntry(kind, detail::orderIndex(entry) - 1);
    }
    node->order.erase(position);
}

void attach(XMLNodeData* parent, XMLNodeData* child, int pos)
{
    const std::size_t index = positionFor(pos, parent->children.size());
    insertInOrder(parent, XMLContentKind::Child, index);
    parent->children.insert(*parent->arena, index, child);
    detail::linkChild(parent, child);
}

// The caller holds a reference of its own, so the child survives.
void detach(XMLNodeData* child)
{
    XMLNodeData* parent = child->parent;
    std::size_t index = 0;
    while (parent->children[index] != child)
        ++index;
    eraseFromOrder(parent, XMLContentKind::Child, index);
    parent->children.erase(index);
    detail::unlinkChild(parent, child);
}

template <typename Array> bool inRange(const Array& items, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < items.size();
}

} // namespace

XMLNode XMLNode::createXMLTopNode(const wchar_t* name, bool isDeclaration)
{
    XMLNodeData* node = detail::createNode(nullptr);
    node->name = node->arena->copy(name);
    node->isDeclaration = isDeclaration;
    node->refCount = 1;
    return XMLNode(node);
}

XMLNode XMLNode::addChild(const wchar_t* name, bool isDeclaration, int pos)
{
    if (!data_)
        return XMLNode();
    XMLNodeData* child = detail::createNode(data_->arena);
    child->name = data_->arena->copy(name);
    child->isDeclaration = isDeclaration;
    attach(data_, child, pos);
    detail::retain(child);
    return XMLNode(child);
}

XMLNode XMLNode::addChild(XMLNode child, int pos)
{
    if (!data_ || !child.data_)
        return XMLNode();
    for (const XMLNodeData* ancestor = data_; ancestor; ancestor = ancestor->parent)
        if (ancestor == child.data_)
            return XMLNode();
    if (child.data_->parent)
        detach(child.data_);
    attach(data_, child.data_, pos);
    return child;
}

XMLAttribute XMLNode::addAttribute(const wchar_t* name, const wchar_t* value)
{
    if (!data_ || !name)
        return {nullptr, nullptr};
    data_->attributes.push_back(*data_->arena, {data_->arena->copy(name), data_->arena->copy(value)});
    return getAttribute(nAttribute() - 1);
}

const wchar_t* XMLNode::addText(const wchar_t* text, int pos)
{
    if (!data_ || !text)
        return nullptr;
    const std::size_t index = positionFor(pos, data_->texts.size());
    insertInOrder(data_, XMLContentKind::Text, index);
    data_->texts.insert(*data_->arena, index, data_->arena->copy(text));
    return data_->texts[index];
}

XMLClear XMLNode::addClear(const wchar_t* value, const wchar_t* openTag, const wchar_t* closeTag, int pos)
{
    if (!data_ || !value || !openTag || !closeTag)
        return {nullptr, nullptr, nullptr};
    const std::size_t index = positionFor(pos, data_->clears.size());
    insertInOrder(data_, XMLContentKind::Clear, index);
    detail::XMLArena& arena = *data_->arena;
    data_->clears.insert(arena, index, {arena.copy(value), arena.copy(openTag), arena.copy(closeTag)});
    return getClear(static_cast<int>(index));
}

const wchar_t* XMLNode::updateName(const wchar_t* name)
{
    if (!data_)
        return nullptr;
    data_->name = data_->arena->copy(name);
    return data_->name;
}

XMLAttribute XMLNode::updateAttribute(const wchar_t* newValue, const wchar_t* newName, int i)
{
    if (!data_ || !inRange(data_->attributes, i))
        return {nullptr, nullptr};
    detail::XMLAttributeData& attribute = data_->attributes[static_cast<std::size_t>(i)];
    attribute.value = data_->arena->copy(newValue);
    if (newName)
        attribute.name = data_->arena->copy(newName);
    return getAttribute(i);
}

XMLAttribute XMLNode::updateAttribute(const wchar_t* newValue, const wchar_t* newName, const wchar_t* name)
{
    for (int i = 0; i < nAttribute(); ++i)
        if (detail::namesEqual(data_->attributes[static_cast<std::size_t>(i)].name, name))
            return updateAttribute(newValue, newName, i);
    return addAttribute(newName ? newName : name, newValue);
}

const wchar_t* XMLNode::updateText(const wchar_t* text, int i)
{
    if (!data_ || !text)
        return nullptr;
    if (!inRange(data_->texts, i))
        return addText(text);
    const wchar_t*& stored = data_->texts[static_cast<std::size_t>(i)];
    stored = data_->arena->copy(text);
    return stored;
}

XMLClear XMLNode::updateClear(const wchar_t* value, int i)
{
    if (!data_ || !value)
        return {nullptr, nullptr, nullptr};
    if (!inRange(data_->clears, i))
        return addClear(value);
    data_->clears[static_cast<std::size_t>(i)].value = data_->arena->copy(value);
    return getClear(i);
}

void XMLNode::deleteNodeContent()
{
    if (!data_)
        return;
    if (data_->parent)
        detach(data_);
    for (XMLNodeData* child : data_->children)
        detail::unlinkChild(data_, child);
    data_->children.clear();
    data_->attributes.clear();
    data_->texts.clear();
    data_->clears.clear();
    data_->order.clear();
    data_->name = nullptr;
    detail::releaseHandle(data_);
    data_ = nullptr;
}

void XMLNode::deleteAttribute(int i)
{
    if (data_ && inRange(data_->attributes, i))
        data_->attributes.erase(static_cast<std::size_t>(i));
}

void XMLNode::deleteAttribute(const wchar_t* name)
{
    for (int i = 0; i < nAttribute(); ++i)
        if (detail::namesEqual(data_->attributes[static_cast<std::size_t>(i)].name, name))
            return deleteAttribute(i);
}

void XMLNode::deleteText(int i)
{
    if (!data_ || !inRange(data_->texts, i))
        return;
    eraseFromOrder(data_, XMLContentKind::Text, static_cast<std::size_t>(i));
    data_->texts.erase(static_cast<std::size_t>(i));
}

void XMLNode::deleteClear(int i)
{
    if (!data_ || !inRange(data_->clears, i))
        return;
    eraseFromOrder(data_, XMLContentKind::Clear, static_cast<std::size_t>(i));
    data_->clears.erase(static_cast<std::size_t>(i));
}

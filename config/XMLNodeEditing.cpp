// Building and editing trees through XMLNode handles.

#include "config/XMLNode.h"

#include "config/detail/XMLNodeData.h"

using detail::XMLContentKind;
using detail::XMLNodeData;
using detail::XMLText;

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
    auto position = node->order.end();
    for (auto entry = node->order.begin(); entry != node->order.end(); ++entry)
    {
        if (detail::orderKind(*entry) != kind || detail::orderIndex(*entry) < index)
            continue;
        if (detail::orderIndex(*entry) == index)
            position = entry;
        *entry = detail::orderEntry(kind, detail::orderIndex(*entry) + 1);
    }
    node->order.insert(position, detail::orderEntry(kind, index));
}

void eraseFromOrder(XMLNodeData* node, XMLContentKind kind, std::size_t index)
{
    auto position = node->order.end();
    for (auto entry = node->order.begin(); entry != node->order.end(); ++entry)
    {
        if (detail::orderKind(*entry) != kind || detail::orderIndex(*entry) < index)
            continue;
        if (detail::orderIndex(*entry) == index)
            position = entry;
        else
            *entry = detail::orderEntry(kind, detail::orderIndex(*entry) - 1);
    }
    node->order.erase(position);
}

void attach(XMLNodeData* parent, XMLNodeData* child, int pos)
{
    const std::size_t index = positionFor(pos, parent->children.size());
    insertInOrder(parent, XMLContentKind::Child, index);
    parent->children.insert(parent->children.begin() + static_cast<std::ptrdiff_t>(index), child);
    child->parent = parent;
    ++child->refCount;
}

// The caller holds a reference of its own, so the child survives.
void detach(XMLNodeData* child)
{
    XMLNodeData* parent = child->parent;
    std::size_t index = 0;
    while (parent->children[index] != child)
        ++index;
    eraseFromOrder(parent, XMLContentKind::Child, index);
    parent->children.erase(parent->children.begin() + static_cast<std::ptrdiff_t>(index));
    child->parent = nullptr;
    --child->refCount;
}

template <typename Vector> bool inRange(const Vector& items, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < items.size();
}

} // namespace

XMLNode XMLNode::createXMLTopNode(const wchar_t* name, bool isDeclaration)
{
    XMLNodeData* node = detail::createNode(nullptr);
    node->name = XMLText::copyOf(name);
    node->isDeclaration = isDeclaration;
    node->refCount = 1;
    return XMLNode(node);
}

XMLNode XMLNode::addChild(const wchar_t* name, bool isDeclaration, int pos)
{
    if (!data_)
        return XMLNode();
    XMLNode child = createXMLTopNode(name, isDeclaration);
    attach(data_, child.data_, pos);
    return child;
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
    data_->attributes.push_back({XMLText::copyOf(name), XMLText::copyOf(value)});
    return getAttribute(nAttribute() - 1);
}

const wchar_t* XMLNode::addText(const wchar_t* text, int pos)
{
    if (!data_ || !text)
        return nullptr;
    const std::size_t index = positionFor(pos, data_->texts.size());
    insertInOrder(data_, XMLContentKind::Text, index);
    return data_->texts.insert(data_->texts.begin() + static_cast<std::ptrdiff_t>(index), XMLText::copyOf(text))->get();
}

XMLClear XMLNode::addClear(const wchar_t* value, const wchar_t* openTag, const wchar_t* closeTag, int pos)
{
    if (!data_ || !value || !openTag || !closeTag)
        return {nullptr, nullptr, nullptr};
    const std::size_t index = positionFor(pos, data_->clears.size());
    insertInOrder(data_, XMLContentKind::Clear, index);
    data_->clears.insert(data_->clears.begin() + static_cast<std::ptrdiff_t>(index),
                         {XMLText::copyOf(value), XMLText::copyOf(openTag), XMLText::copyOf(closeTag)});
    return getClear(static_cast<int>(index));
}

const wchar_t* XMLNode::updateName(const wchar_t* name)
{
    if (!data_)
        return nullptr;
    data_->name = XMLText::copyOf(name);
    return data_->name.get();
}

XMLAttribute XMLNode::updateAttribute(const wchar_t* newValue, const wchar_t* newName, int i)
{
    if (!data_ || !inRange(data_->attributes, i))
        return {nullptr, nullptr};
    detail::XMLAttributeData& attribute = data_->attributes[static_cast<std::size_t>(i)];
    attribute.value = XMLText::copyOf(newValue);
    if (newName)
        attribute.name = XMLText::copyOf(newName);
    return getAttribute(i);
}

XMLAttribute XMLNode::updateAttribute(const wchar_t* newValue, const wchar_t* newName, const wchar_t* name)
{
    for (int i = 0; i < nAttribute(); ++i)
        if (detail::namesEqual(data_->attributes[static_cast<std::size_t>(i)].name.get(), name))
            return updateAttribute(newValue, newName, i);
    return addAttribute(newName ? newName : name, newValue);
}

const wchar_t* XMLNode::updateText(const wchar_t* text, int i)
{
    if (!data_ || !text)
        return nullptr;
    if (!inRange(data_->texts, i))
        return addText(text);
    XMLText& stored = data_->texts[static_cast<std::size_t>(i)];
    stored = XMLText::copyOf(text);
    return stored.get();
}

XMLClear XMLNode::updateClear(const wchar_t* value, int i)
{
    if (!data_ || !value)
        return {nullptr, nullptr, nullptr};
    if (!inRange(data_->clears, i))
        return addClear(value);
    data_->clears[static_cast<std::size_t>(i)].value = XMLText::copyOf(value);
    return getClear(i);
}

void XMLNode::deleteNodeContent()
{
    if (!data_)
        return;
    if (data_->parent)
        detach(data_);
    for (XMLNodeData* child : data_->children)
    {
        child->parent = nullptr;
        detail::release(child);
    }
    data_->children.clear();
    data_->attributes.clear();
    data_->texts.clear();
    data_->clears.clear();
    data_->order.clear();
    data_->name = XMLText();
    detail::release(data_);
    data_ = nullptr;
}

void XMLNode::deleteAttribute(int i)
{
    if (data_ && inRange(data_->attributes, i))
        data_->attributes.erase(data_->attributes.begin() + i);
}

void XMLNode::deleteAttribute(const wchar_t* name)
{
    for (int i = 0; i < nAttribute(); ++i)
        if (detail::namesEqual(data_->attributes[static_cast<std::size_t>(i)].name.get(), name))
            return deleteAttribute(i);
}

void XMLNode::deleteText(int i)
{
    if (!data_ || !inRange(data_->texts, i))
        return;
    eraseFromOrder(data_, XMLContentKind::Text, static_cast<std::size_t>(i));
    data_->texts.erase(data_->texts.begin() + i);
}

void XMLNode::deleteClear(int i)
{
    if (!data_ || !inRange(data_->clears, i))
        return;
    eraseFromOrder(data_, XMLContentKind::Clear, static_cast<std::size_t>(i));
    data_->clears.erase(data_->clears.begin() + i);
}

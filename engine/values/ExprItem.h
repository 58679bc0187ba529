#pragma once
#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

#include "containers/ShortText.h"
#include "values/Value.h"

/// Kinds of an expression item as the evaluator receives them.
enum class ItemKind : int32_t {
    Computed = 0,  ///< call result, parenthesised or braced sub-result, operator result
    Number = 1,    ///< number literal
    Operator = 2,  ///< operator token; carries a Void value
    Keyword = 3,   ///< a keyword statement's own item, removed before anything evaluates it
    Variable = 4,  ///< assignable operand: a name, optionally with `index`
    String = 6,    ///< string literal
};

/// One element of a statement's flat item list.
struct ExprItem {
    ShortText text;  ///< operator spelling, variable name or token text
    ItemKind kind = ItemKind::Computed;
    int32_t index = -1;  ///< element index of a variable item, -1 without brackets
    int32_t start = 0;   ///< first byte of its token in the text
    Value value;         ///< operand value; Void for operators
};

/// The items of every statement being read, stacked: a nested run's items lie above those of
/// the run that started it, and are gone before that run adds its next one. Items are kept for
/// the next statement, each at a fixed address (a nested run must not move the item its caller
/// is filling), so that a statement costs no allocation once the script has been that deep.
class ItemStack {
public:
    /// Items in use.
    int Top() const { return top; }
    /// The item at a stack position below Top().
    ExprItem* At(int k) const { return items[static_cast<std::size_t>(k)].get(); }
    /// A fresh item on top. Every token of a statement adds one, so this stays inline.
    ExprItem& Push() {
        if (top == static_cast<int>(items.size())) Grow();
        ExprItem& item = *items[static_cast<std::size_t>(top++)];
        item.kind = ItemKind::Computed;
        item.index = -1;
        item.start = 0;
        return item;
    }
    /// Drops the items from newTop up; their values are freed now, as a discarded list's were.
    void PopTo(int newTop);

private:
    /// Adds an item to the stack's reserve, for a statement deeper than any before.
    void Grow();

    std::vector<std::unique_ptr<ExprItem>> items;
    int top = 0;
};

/// One run's statement items: the part of the stack from where the run began. The run owns
/// them; they are dropped on every exit of the run, an exceptional one included.
class ItemList {
public:
    explicit ItemList(ItemStack& stack) : stack(stack), base(stack.Top()) {}
    ~ItemList() { stack.PopTo(base); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    int GetCount() const { return count; }
    ExprItem* Get(int k) const { return stack.At(base + k); }
    /// Appends a fresh item; only the newest run adds, so it is the stack's top.
    ExprItem& Add() {
        assert(stack.Top() == base + count);
        ++count;
        return stack.Push();
    }
    /// Removes the last item.
    void RemoveLast();
    /// Removes every item.
    void Clear();

private:
    ItemStack& stack;
    int base;
    int count = 0;
};

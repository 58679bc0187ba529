#include "values/ExprItem.h"

#include <cassert>

ExprItem& ItemStack::Push() {
    if (top == static_cast<int>(items.size())) items.push_back(std::make_unique<ExprItem>());
    ExprItem& item = *items[static_cast<std::size_t>(top++)];
    item.kind = ItemKind::Computed;
    item.index = -1;
    item.start = 0;
    return item;
}

void ItemStack::PopTo(int newTop) {
    while (top > newTop) {
        ExprItem& item = *items[static_cast<std::size_t>(--top)];
        item.value.Clear();
        item.text.Release();
    }
}

ExprItem& ItemList::Add() {
    assert(stack.Top() == base + count);
    ++count;
    return stack.Push();
}

void ItemList::RemoveLast() {
    if (count == 0) return;
    --count;
    stack.PopTo(base + count);
}

void ItemList::Clear() {
    stack.PopTo(base);
    count = 0;
}

#include "values/ExprItem.h"

void ItemStack::Grow() { items.push_back(std::make_unique<ExprItem>()); }

void ItemStack::PopTo(int newTop) {
    while (top > newTop) {
        ExprItem& item = *items[static_cast<std::size_t>(--top)];
        item.value.Clear();
        item.text.Release();
    }
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

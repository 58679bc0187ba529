#include "interpreter/Variable.h"

namespace {

std::unique_ptr<Value[]> CopyElements(const Variable& source) {
    if (!source.elements || source.arraySize <= 0) return nullptr;
    auto copy = std::make_unique<Value[]>(static_cast<size_t>(source.arraySize));
    for (int k = 0; k < source.arraySize; ++k) copy[k] = source.elements[k];
    return copy;
}

}  // namespace

Variable::Variable(const Variable& other)
    : value(other.value),
      elements(CopyElements(other)),
      name(other.name),
      arraySize(other.arraySize),
      declaredAt(other.declaredAt),
      elementsCharge(other.elementsCharge) {}

Variable& Variable::operator=(const Variable& other) {
    if (this == &other) return *this;
    value = other.value;
    elements = CopyElements(other);
    name = other.name;
    arraySize = other.arraySize;
    declaredAt = other.declaredAt;
    elementsCharge = other.elementsCharge;
    return *this;
}

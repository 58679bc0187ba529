#pragma once

// Texts of the container subsystem, byte for byte as the errors and warnings carry them.

namespace ContainerMessages {

inline constexpr char kDynaMemComponent[] = "DynaMem";
inline constexpr char kCannotExpandFixed[] = "Can not expand fixed list";
inline constexpr char kMaximumDataElements[] = "Maximum number of data elements reached: %i";
inline constexpr char kNullPointerAdded[] = "Null pointer added !";
inline constexpr char kCannotSetSizeFixed[] = "Can not SetSize() of fixed list";
inline constexpr char kNewSizeTooSmall[] = "New size too small";
inline constexpr char kCannotDeleteObject[] = "Can not delete object nr: %i";
inline constexpr char kInvalidEntryFound[] = "Invalid entry found";

inline constexpr char kSearchTreeComponent[] = "SearchTree";
inline constexpr char kEmptyNameString[] = "Empty name string";
inline constexpr char kCharacterOutOfRange[] = "Character in name string out of range: %i";

}  // namespace ContainerMessages

#pragma once

#include <cstdint>
#include <string>

// Display names of keyboard keys, consumer-control keys and button
// assignments.
namespace pointrix {

struct KeyNameRow {
  int32_t usage;  // HID keyboard usage; -1 ends the table
  const wchar_t* name;
};
struct ConsumerKeyRow {
  int32_t usage;        // HID consumer usage; -1 ends the table
  const wchar_t* name;  // English name; consumer_key_str<index> replaces it
};

// Static tables, each ended by a row with usage -1.
const KeyNameRow* KeyNameTable();
const ConsumerKeyRow* ConsumerKeyTable();
inline constexpr int kConsumerKeyCount = 14;

// Name of a usage in KeyNameTable (empty when it has no row).
std::wstring KeyTableName(int usage);

// Index of a consumer usage among the filled rows of ConsumerKeyTable, or -1.
int ConsumerKeyIndex(int usage);
// The (translated) ConsumerKeyTable name of a usage; empty when absent.
std::wstring ConsumerKeyName(int usage);

// Fixed names of consumer usages in macro texts; "Unknown" for the rest.
std::wstring ConsumerUsageName(int usage);

// The key-message parameter GetKeyNameTextW is asked with for a usage, or 0
// when the usage has no scan code. Pause and Num Lock are swapped so each
// gets its own name.
long SystemKeyNameParam(int usage);

// Names a key-message parameter in the user's keyboard layout; empty when
// the system has no name. Installed by the Windows layer.
using KeyNameTextFn = std::wstring (*)(long param);
void SetKeyNameTextProvider(KeyNameTextFn provider);

// Name of a key in the user's layout; without a provider, the table's name.
std::wstring SystemKeyName(int usage);

// "Ctrl + ", "Shift + ", "Alt + ", "Win + " for the pairs of the modifier
// mask, in this order.
std::wstring ModifierPrefix(uint8_t modifiers);

std::wstring FormatKeyText(int usage, uint8_t modifiers);

// One-line text of a button assignment (function type and p1..p3).
std::wstring FormatAssignmentText(int type, uint8_t p1, uint8_t p2, uint8_t p3);

}  // namespace pointrix

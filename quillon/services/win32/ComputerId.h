#pragma once

#include <string>

// The computer's persistent identity (32 lower-case hex digits). Read from the
// first of: classes root CLSID\{11E7B631-...}\ID (32-bit view), the file
// brivane\brivaneID.dat under common application data ([CID] ID), current user
// CLSID\{11E7B631-...}\ID; otherwise made from a seed and stored in the first
// of those that takes it.
std::wstring GetComputerId();

// The parts of a new identity's seed, read from this machine.
std::wstring ReadComputerIdSeed();

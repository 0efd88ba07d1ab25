#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Byte 7 of every command report the program builds (except stage data).
constexpr uint8_t kReportTag = 0x12;
// Feature report length of the mouse's configuration interface.
constexpr size_t kDeviceReportSize = 9;
// The data-carrying command: bytes 7 and 8 are data, no tag and no checksum.
constexpr uint8_t kStageDataCommand = 0x09;
// Bit 7 of byte 1 of an answer: the device is busy, the answer is not valid yet.
constexpr uint8_t kBusyBit = 0x80;

// The 9-byte feature report: byte 0 report ID (0), byte 1 command, bytes 2..6
// parameters, byte 7 tag, byte 8 XOR of bytes 1..7.
using DeviceReport = std::array<uint8_t, kDeviceReportSize>;

// An answer read back from the mouse: the same 9 bytes, byte 1 masked to 0x3F.
using DeviceAnswer = std::array<uint8_t, kDeviceReportSize>;

// XOR of bytes 1 through 7.
uint8_t ReportChecksum(const DeviceReport& report);

// Writes the checksum into byte 8 unless the report is a stage-data report,
// whose byte 8 carries data.
void ApplyReportChecksum(DeviceReport& report);

// A command report: bytes 1..6 as given, byte 7 the tag, byte 8 the checksum.
DeviceReport MakeCommandReport(uint8_t command, uint8_t b2 = 0, uint8_t b3 = 0, uint8_t b4 = 0,
                               uint8_t b5 = 0, uint8_t b6 = 0);

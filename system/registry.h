// String values in the registry. Every operation starts under
// HKEY_LOCAL_MACHINE; only the two reads go on to HKEY_CURRENT_USER, and only
// when the machine-wide root gave an empty text.
#pragma once

#include <cstdint>
#include <string>

namespace tidemark {

// Reads a REG_SZ or REG_EXPAND_SZ value (unexpanded, cut at its first zero
// byte), opening keys with full access. A missing key or value, an empty
// value or refused access give the empty text. Raises Error("Invalid data
// type for '<name>'") for a value of another type that holds data, and
// Error("Failed to get data for '<name>'") when its data cannot be read.
std::string ReadRegString(const std::string& key_path, const std::string& value_name);

// As ReadRegString, but opens keys with the weakest read access that is
// granted, so that it reads machine-wide values without administrative
// rights.
std::string ReadRegStringReadOnly(const std::string& key_path, const std::string& value_name);

// Stores a REG_SZ value under HKEY_LOCAL_MACHINE, creating every missing key
// on the path. Raises Error("Failed to set data for '<name>'").
void WriteRegString(const std::string& key_path, const std::string& value_name,
                    const std::string& value);

// Stores a REG_DWORD value, as WriteRegString stores a text.
void WriteRegDword(const std::string& key_path, const std::string& value_name, uint32_t value);

// Deletes the key and all its sub-keys under HKEY_LOCAL_MACHINE. Never raises;
// whatever cannot be deleted stays.
void DeleteRegKey(const std::string& key_path);

}  // namespace tidemark

// The keyboard layouts loaded at log-on, as the registry lists them under
// HKEY_CURRENT_USER\Keyboard Layout\Preload: values "1", "2", ... holding layout identifiers.
// Stands in for the list of loaded layouts where the platform keeps none.
#pragma once

#include <cstdint>
#include <vector>

#include "registry_port.h"

namespace pictor {

inline constexpr std::string_view kPreloadKey = "Keyboard Layout\\Preload";

// Handles in the order of the values' numbers. An input-method layout (E0010404) is its own
// handle; a plain layout 00000409 has the handle 04090409. Values whose name is not a number or
// whose data is not a hexadecimal identifier are passed over.
std::vector<std::uint32_t> PreloadedLayouts(RegistryPort& registry);

}  // namespace pictor

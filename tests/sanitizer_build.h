// Tests: KRV_ADDRESS_SANITIZER is defined in builds under AddressSanitizer,
// whose shadow memory does not fit an address-space cap.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KRV_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KRV_ADDRESS_SANITIZER 1
#endif

// net: the language's socket commands over the socket table. IPs are host
// order with the first octet most significant (127.0.0.1 is 0x7F000001).
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/rt_string.h"

// The largest maximum netRecv accepts; larger ones are refused with -1.
constexpr int32_t kNetRecvLimit = 16 * 1024 * 1024;

int32_t netSockInit();      // 1
int32_t netSockShutdown();  // sockShutdown's result
int32_t netTcpListen(int32_t port);
int32_t netTcpConnect(const RtString& host, int32_t port);  // -1 when the host has no address
// The peer's IP into `ip` on success; -1 leaves it unchanged.
int32_t netTcpAccept(int32_t listening, uint32_t& ip);
int32_t netTcpSend(int32_t socket, const RtString& text);  // -1 for a UDP socket
int32_t netUdpOpen(int32_t port);
int32_t netUdpSend(int32_t socket, const RtString& text, uint32_t ip, int32_t port);
// The count read into `text`; "" and 0 (closed), -2 (nothing waiting) or -1
// (an error, or a maximum below 1 or above kNetRecvLimit).
int32_t netRecv(int32_t socket, RtString& text, int32_t maximum);
int32_t netClose(int32_t socket);  // 1 when closed, else 0
RtString netIpToText(uint32_t ip);
// This machine's addresses joined by "|", "" when it has none but 127.x.
RtString netLocalIps();
RtString netErrorText();

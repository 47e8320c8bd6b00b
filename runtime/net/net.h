// net: the socket table and its commands, the multiplayer session, HTTP GET,
// and the runtime's mutex and threads.
#pragma once

// --- Socket layer ---
// sockInit, sockShutdown, sockReferenceCount, sockSetBlocking           socket_table.h
// tcpListen, tcpAccept, tcpConnect, udpOpen, sockClose                  socket_table.h
// sockSend, sockSendWithin, sockSendAvailable, sockRecv                 socket_table.h
// sockWaitReadable, sockWaitEvents, sockSetUnacknowledgedLimit          socket_table.h
// sockLocalPort, sockPeerReadsNothing                                  socket_table.h
// sockSetKeepAlive, sockSetRetransmitCeiling, sockIdleSilenceMs         socket_table.h
// sockAddressText/Ip/Port, sockMakeAddress, localAddressList            socket_table.h
// resolveAddress, sockErrorText, sockAdopt, sockLastError               socket_table.h
#include "runtime/net/socket_table.h"

// --- Socket commands ---
// netSockInit, netSockShutdown, netTcpListen, netTcpConnect             socket_commands.h
// netTcpAccept, netTcpSend, netUdpOpen, netUdpSend, netRecv, netClose   socket_commands.h
// netIpToText, netLocalIps, netErrorText                                socket_commands.h
#include "runtime/net/socket_commands.h"

// --- Session ---
// netHostSession, netJoinSession, netEndSession, netSessionRunning      session_commands.h
// netSetAcceptPlayers, netCreatePlayer, netSendMessage, netGetMessage   session_commands.h
// netRemovePlayer, netPlayerCount, netPlayerIdAt, netPlayerName         session_commands.h
// netNextLeftPlayer                                                     session_commands.h
// NetSession (its thread, leave messages, close with a bounded wait)    net_session.h
// NetMessageHeader, NetMessageReader, registration record               net_message.h
#include "runtime/net/net_message.h"
#include "runtime/net/net_session.h"
#include "runtime/net/session_commands.h"

// --- HTTP ---
// httpGetToFile, httpGetToString                                        http_get.h
// HttpResponseReader                                                    http_response.h
#include "runtime/net/http_get.h"
#include "runtime/net/http_response.h"

// --- Mutex and threads ---
// mutexInit, mutexLock, mutexUnlock, mutexDestroy                       runtime_mutex.h
// threadCreate, threadJoin, threadYield, threadSleep                    runtime_thread.h
#include "runtime/net/runtime_mutex.h"
#include "runtime/net/runtime_thread.h"

// platform/posix: mapping errno to the socket error numbers programs know.
#include "runtime/platform/posix/socket_errors.h"

#include <cerrno>  // Required for: errno values

namespace platform {
namespace {

struct ErrorPair {
    int errnoValue;
    int error;
};

// EWOULDBLOCK equals EAGAIN here; EPIPE is a send to a peer that reset.
constexpr ErrorPair kErrors[] = {
    {EINTR, 10004},        {EBADF, 10009},        {EACCES, 10013},          {EFAULT, 10014},
    {EINVAL, 10022},       {EMFILE, 10024},       {EAGAIN, 10035},          {EINPROGRESS, 10036},
    {EALREADY, 10037},     {ENOTSOCK, 10038},     {EDESTADDRREQ, 10039},    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},   {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043}, {EOPNOTSUPP, 10045},
    {EAFNOSUPPORT, 10047}, {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},    {ECONNABORTED, 10053},    {ECONNRESET, 10054},
    {EPIPE, 10054},        {ENOBUFS, 10055},      {EISCONN, 10056},         {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},    {ETIMEDOUT, 10060},    {ECONNREFUSED, 10061},    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065}, {ENOMEM, 8},
};

}  // namespace

int socketErrorFromErrno(int errnoValue) {
    for (const ErrorPair& pair : kErrors) {
        if (pair.errnoValue == errnoValue) return pair.error;
    }
    return errnoValue;
}

int errnoFromSocketError(int error) {
    for (const ErrorPair& pair : kErrors) {
        if (pair.error == error) return pair.errnoValue;
    }
    return 0;
}

}  // namespace platform

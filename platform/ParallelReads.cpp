#include "platform/ParallelReads.h"

#include "platform/FileNames.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include <sys/vfs.h>

namespace hv::parallel {
namespace {

// File systems whose every call may wait on another computer or on a user-space server.
bool isRemoteFileSystem(unsigned long type)
{
    switch (type) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE (sshfs and the like)
    case 0x00C36400: // Ceph
    case 0x5346414F: // AFS
    case 0x73757245: // Coda
    case 0x01021997: // 9P
    case 0x564C:     // NCP
        return true;
    default:
        return false;
    }
}

} // namespace

int readerCountFor(const QString &folder)
{
    struct statfs info {};
    const QByteArray path = paths::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (::statfs(path.constData(), &info) == 0 && isRemoteFileSystem(info.f_type))
        return kNetworkReaders;
    return std::clamp(QThread::idealThreadCount(), 2, 8);
}

void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work)
{
    const qsizetype threads = std::clamp<qsizetype>(readers, 1, std::max<qsizetype>(count, 1));
    if (threads == 1) {
        for (qsizetype i = 0; i < count; ++i)
            work(i, 0);
        return;
    }
    std::atomic<qsizetype> next{0};
    auto run = [&](int reader) {
        for (qsizetype i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            work(i, reader);
    };
    std::vector<std::thread> pool;
    pool.reserve(size_t(threads - 1));
    for (int reader = 1; reader < threads; ++reader)
        pool.emplace_back(run, reader);
    run(0);
    for (std::thread &thread : pool)
        thread.join();
}

} // namespace hv::parallel

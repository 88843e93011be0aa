#include "connection_log.hpp"

namespace qz::test {

int ConnectionLog::open(TsneId& id, std::uint16_t port, double timeout, bool wait, const std::string& host)
{
    return TSNE_CREATE_CLIENT(
        id, host, port,
        [this](TsneId i) {
            if (extraOnDisconnected) extraOnDisconnected(i);
            std::lock_guard lock(mutex);
            order += 'D';
            changed.notify_all();
        },
        [this](TsneId i) {
            {
                std::lock_guard lock(mutex);
                order += 'C';
                changed.notify_all();
            }
            if (extraOnConnected) extraOnConnected(i);
        },
        [this](TsneId i, std::string_view chunk) {
            {
                std::lock_guard lock(mutex);
                order += 'N';
                data += chunk;
                chunks.push_back(chunk.size());
                changed.notify_all();
            }
            if (extraOnNewData) extraOnNewData(i, chunk);
        },
        timeout, kTsneStackSize, wait);
}

std::string ConnectionLog::snapshotOrder()
{
    std::lock_guard lock(mutex);
    return order;
}

std::string ConnectionLog::snapshotData()
{
    std::lock_guard lock(mutex);
    return data;
}

}  // namespace qz::test

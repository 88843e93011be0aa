// A transaction on a leased connection: committed by commit(), rolled back when left
// early by an exception.
#pragma once

#include "sql/connection_pool.hpp"

namespace qz::server {

class SqlTransaction {
public:
    explicit SqlTransaction(ConnectionPool::Lease lease) : lease_(std::move(lease)) {}
    ~SqlTransaction() {
        if (!done_) lease_->rollback();
    }
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    SqlConnection& db() { return *lease_; }
    void commit() {
        lease_->commit();
        done_ = true;
    }

private:
    ConnectionPool::Lease lease_;
    bool done_ = false;
};

}  // namespace qz::server

#include "platform/ende_wunsch.hpp"

#include <csignal>

namespace qz {

namespace {

std::atomic<bool>* gGewuenscht = nullptr;

void gemeldet(int)
{
    if (gGewuenscht) *gGewuenscht = true;
}

}  // namespace

void endeWunschMelden(std::atomic<bool>& gewuenscht)
{
    gGewuenscht = &gewuenscht;
    std::signal(SIGINT, gemeldet);
    std::signal(SIGTERM, gemeldet);
}

}  // namespace qz

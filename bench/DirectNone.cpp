// Without libpq the PostgreSQL run prints the business layer's times only.

#include "bench/Direct.h"

namespace zorbel::bench {

std::unique_ptr<Direct> openPostgres(const QString&) {
    return {};
}

} // namespace zorbel::bench

#include "bench/Options.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace zorbel::bench {
namespace {

void usage() {
    std::printf(
        "usage: zorbel_bench [--engine sqlite|postgresql] [--projects N] [--milestones N]\n"
        "                    [--deliverables N] [--tasks N] [--actions N] [--progress N]\n"
        "                    [--contacts N] [--accounts N] [--repeat N]\n"
        "                    [--pg-host DIR|HOST] [--pg-port N] [--pg-user NAME] [--pg-db NAME]\n"
        "Sizes are totals over the whole organisation. PostgreSQL defaults come from\n"
        "ZORBEL_TEST_PG_HOST and ZORBEL_TEST_PG_PORT (see scripts/pg-test-server.sh).\n");
}

bool toCount(const char* text, int& out) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used != std::strlen(text) || value < 0)
            return false;
        out = value;
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

std::optional<Options> parseOptions(int argc, char** argv) {
    Options o;
    o.pgHost = qEnvironmentVariable("ZORBEL_TEST_PG_HOST");
    toCount(qgetenv("ZORBEL_TEST_PG_PORT").constData(), o.pgPort);

    struct Count {
        const char* flag;
        int* value;
    } counts[] = {{"--projects", &o.projects},     {"--milestones", &o.milestones}, {"--deliverables", &o.deliverables},
                  {"--tasks", &o.tasks},           {"--actions", &o.actions},       {"--progress", &o.progress},
                  {"--contacts", &o.contacts},     {"--accounts", &o.accounts},     {"--repeat", &o.repeat},
                  {"--pg-port", &o.pgPort}};
    struct Text {
        const char* flag;
        QString* value;
    } texts[] = {{"--engine", &o.engine}, {"--pg-host", &o.pgHost}, {"--pg-user", &o.pgUser}, {"--pg-db", &o.pgDatabase}};

    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 || i + 1 >= argc) {
            usage();
            return std::nullopt;
        }
        const char* value = argv[++i];
        bool known = false;
        for (const Count& c : counts) {
            if (std::strcmp(arg, c.flag) == 0) {
                known = true;
                if (!toCount(value, *c.value)) {
                    std::fprintf(stderr, "%s needs a whole number, not \"%s\"\n", arg, value);
                    return std::nullopt;
                }
            }
        }
        for (const Text& t : texts) {
            if (std::strcmp(arg, t.flag) == 0) {
                known = true;
                *t.value = QString::fromLocal8Bit(value);
            }
        }
        if (!known) {
            std::fprintf(stderr, "unknown option %s\n", arg);
            usage();
            return std::nullopt;
        }
    }
    if (o.engine != QStringLiteral("sqlite") && o.engine != QStringLiteral("postgresql")) {
        std::fprintf(stderr, "--engine is sqlite or postgresql\n");
        return std::nullopt;
    }
    if (o.projects < 1 || o.repeat < 1) {
        std::fprintf(stderr, "--projects and --repeat must be at least 1\n");
        return std::nullopt;
    }
    if (o.engine == QStringLiteral("postgresql") && o.pgHost.isEmpty()) {
        std::fprintf(stderr, "PostgreSQL needs --pg-host (or ZORBEL_TEST_PG_HOST); "
                             "scripts/pg-test-server.sh start prints it\n");
        return std::nullopt;
    }
    return o;
}

} // namespace zorbel::bench

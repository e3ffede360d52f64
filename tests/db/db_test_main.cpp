// main() of the database tests: reads --backend=sqlite|postgres.
#include <gtest/gtest.h>

#include <string>

#include "db_test_support.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--backend=postgres") kro::test::set_backend(kro::test::Backend::Postgres);
        else if (arg == "--backend=sqlite") kro::test::set_backend(kro::test::Backend::Sqlite);
    }
    return RUN_ALL_TESTS();
}

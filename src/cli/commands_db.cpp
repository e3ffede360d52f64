// kro-cli db: creating, describing and counting in the configured databases.

#include <ostream>

#include "cli/cli.hpp"
#include "core/app_context.hpp"
#include "db/database.hpp"
#include "db/next_id.hpp"
#include "db/schema.hpp"

namespace kro::cli {

namespace {

constexpr const char* kUsage = "usage: kro-cli db init main|css [ARG...] | db info [ARG...] | db nextid KEY [ARG...]\n";

// Reads KRO.INI with `args` applied as the program's command line.
void load(AppContext& ctx, const std::vector<std::string>& args, const Env& env) {
    std::vector<std::string> command_line{env.executable_path};
    command_line.insert(command_line.end(), args.begin(), args.end());
    load_configuration(ctx, command_line, env.executable_path);
}

int run_init(const std::vector<std::string>& args, Env& env) {
    if (args.empty() || (args[0] != "main" && args[0] != "css")) {
        env.err << kUsage;
        return kExitUsage;
    }
    const bool main = args[0] == "main";
    AppContext ctx(env.messenger);
    load(ctx, {args.begin() + 1, args.end()}, env);
    const DatabaseSettings& s = ctx.settings.database;
    const std::string dsn = main ? s.odbc : s.odbc_css;
    const std::string connection = main ? main_connection_string(s) : css_connection_string(s);
    if (connection.empty()) {
        env.err << "No CSS 3.0 database is configured (DATABASE ODBC_CSS and USER_CSS, or ODBC_CSS= and USER_CSS=)\n";
        return kExitFailure;
    }
    Connection db;
    try {
        db.open(connection);
    } catch (const DbError& e) {
        env.err << e.what() << '\n';
        return kExitFailure;
    }
    SchemaCreation result = SchemaCreation::Created;
    if (Status created = create_schema(db, main ? SchemaKind::Main : SchemaKind::Css, &result); !created) {
        env.err << created.message() << '\n';
        return kExitFailure;
    }
    const char* what = main ? "main" : "CSS 3.0";
    if (result == SchemaCreation::Created)
        env.out << "created the " << what << " tables in " << dsn << '\n';
    else
        env.out << "the " << what << " tables are already in " << dsn << '\n';
    return kExitOk;
}

int run_info(const std::vector<std::string>& args, Env& env) {
    AppContext ctx(env.messenger);
    load(ctx, args, env);
    Database db(ctx);
    db.open_at_startup();
    if (!db.main_connected()) return kExitFailure;
    env.out << "dbms=" << db.dbms_name() << '\n'
            << "kind=" << static_cast<int>(db.kind()) << '\n'
            << "comment_column=" << column_name(db.comment_column()) << '\n'
            << "css_connected=" << (db.css_connected() ? 1 : 0) << '\n';
    return kExitOk;
}

int run_nextid(const std::vector<std::string>& args, Env& env) {
    if (args.empty()) {
        env.err << kUsage;
        return kExitUsage;
    }
    AppContext ctx(env.messenger);
    load(ctx, {args.begin() + 1, args.end()}, env);
    Database db(ctx);
    db.open_at_startup();
    const int id = next_id(db, args[0]);
    env.out << id << '\n';
    if (id >= 0) return kExitOk;
    if (ctx.settings.database.local_last_id != 1 && !db.css_connected())
        env.err << "No CSS 3.0 database is connected and LOCALLASTID is not 1: no counter table to draw from\n";
    else
        env.err << "No new value for " << args[0] << ": the counter row is missing or could not be updated\n";
    return kExitFailure;
}

int run_db(const std::vector<std::string>& args, Env& env) {
    if (args.empty()) {
        env.err << kUsage;
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "init") return run_init(rest, env);
    if (args[0] == "info") return run_info(rest, env);
    if (args[0] == "nextid") return run_nextid(rest, env);
    env.err << kUsage;
    return kExitUsage;
}

}  // namespace

KRO_CLI_COMMAND(db, "init main|css | info | nextid KEY  [ARG...]",
                "creates the tables of the configured main or CSS 3.0 database; prints the DBMS, kind, comment "
                "column and CSS state; draws a new identifier (ARGs act as the program's command line)",
                run_db);

}  // namespace kro::cli

#include "core/app_context.hpp"

namespace kro {

std::string user_settings_path() { return user_config_folder() + "/settings.kro"; }

void load_configuration(AppContext& ctx, const std::vector<std::string>& args, const std::string& executable_path) {
    const CommandLine cmd = parse_command_line(args);
    const std::string ini_path = find_ini_file(folder_of(executable_path));
    if (Status read = ctx.ini.load(ini_path); !read) ctx.messenger->warning(read.message());
    ctx.settings = load_app_settings(ctx.ini, cmd, executable_path);
    if (Status read = ctx.user_settings.load(user_settings_path()); !read) ctx.messenger->warning(read.message());
}

}  // namespace kro

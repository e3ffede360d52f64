#include "db/stations.hpp"

#include "db/sql_filter.hpp"

namespace kro {

namespace {

const std::vector<std::string_view> kSiteColumns = {"STA",  "NGROUPS", "ELEV",   "LAT",
                                                    "LON",  "DESCR",   "LDDATE", "NINDEX"};
const std::vector<std::string_view> kSiteChanColumns = {"STA",   "SPS",  "NGROUP", "LAT",    "CALIBFILE",
                                                        "CHAN",  "CHANINDEX", "DESCR", "EDEPH", "HANG",
                                                        "LDDATE", "LON",  "VANG"};
const std::vector<std::string_view> kNetworkColumns = {"NETNAME", "NETTYPE", "NETLIST", "LDDATE"};

}  // namespace

std::vector<SiteRow> read_sites(Connection& connection) {
    Statement s(connection);
    s.execute(select_text("SITE", kSiteColumns, {}));
    std::vector<SiteRow> rows;
    while (s.fetch()) {
        SiteRow r;
        r.sta = s.text(1);
        r.ngroups = s.integer(2);
        r.elev = s.real(3);
        r.lat = s.real(4);
        r.lon = s.real(5);
        r.descr = s.text(6);
        r.lddate = s.timestamp(7);
        r.nindex = s.integer(8);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_site(Connection& connection, const SiteRow& r) {
    insert_row(connection, "SITE", kSiteColumns, {r.sta, r.ngroups, r.elev, r.lat, r.lon, r.descr, r.lddate, r.nindex});
}

std::vector<SiteChanRow> read_sitechans(Connection& connection, const std::string& sta) {
    const SqlFilter filter{"STA=?", {sta}};
    Statement s(connection);
    s.execute(select_text("SITECHAN", kSiteChanColumns, filter), filter.params);
    std::vector<SiteChanRow> rows;
    while (s.fetch()) {
        SiteChanRow r;
        r.sta = s.text(1);
        r.sps = s.real(2);
        r.ngroup = s.integer(3);
        r.lat = s.real(4);
        r.calibfile = s.text(5);
        r.chan = s.text(6);
        r.chanindex = s.integer(7);
        r.descr = s.text(8);
        r.edeph = s.real(9);
        r.hang = s.real(10);
        r.lddate = s.timestamp(11);
        r.lon = s.real(12);
        r.vang = s.real(13);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_sitechan(Connection& connection, const SiteChanRow& r) {
    insert_row(connection, "SITECHAN", kSiteChanColumns,
               {r.sta, r.sps, r.ngroup, r.lat, r.calibfile, r.chan, r.chanindex, r.descr, r.edeph, r.hang, r.lddate,
                r.lon, r.vang});
}

std::vector<NetworkRow> read_network_lists(Connection& connection) {
    Statement s(connection);
    s.execute("select NETNAME, NETLIST from NETWORKS");
    std::vector<NetworkRow> rows;
    while (s.fetch()) {
        NetworkRow r;
        r.netname = s.text(1);
        r.netlist = s.text(2);
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<NetworkRow> read_networks(Connection& connection) {
    Statement s(connection);
    s.execute(select_text("NETWORKS", kNetworkColumns, {}));
    std::vector<NetworkRow> rows;
    while (s.fetch()) {
        NetworkRow r;
        r.netname = s.text(1);
        r.nettype = s.text(2);
        r.netlist = s.text(3);
        r.lddate = s.timestamp(4);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_network(Connection& connection, const NetworkRow& r) {
    insert_row(connection, "NETWORKS", kNetworkColumns, {r.netname, r.nettype, r.netlist, r.lddate});
}

void write_network_lists(Connection& connection, const std::vector<NetworkList>& groups) {
    Transaction transaction(connection);
    connection.execute("delete from NETWORKS");
    for (const NetworkList& group : groups)
        connection.execute("insert into NETWORKS (NETNAME, NETLIST) values (?,?)", {group.name, group.members});
    transaction.commit();
}

}  // namespace kro

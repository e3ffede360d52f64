#pragma once
// SITE, SITECHAN and NETWORKS: stations, their channels and the named
// station groups. Every function throws DbError with the driver's text.

#include <optional>
#include <string>
#include <vector>

#include "db/odbc.hpp"

namespace kro {

struct SiteRow {
    std::optional<std::string> sta;
    std::optional<int> ngroups;  // three-component channel groups
    std::optional<double> elev;
    std::optional<double> lat, lon;  // degrees
    std::optional<std::string> descr;
    std::optional<DbTimestamp> lddate;
    std::optional<int> nindex;  // the station's number in the network
    friend bool operator==(const SiteRow&, const SiteRow&) = default;
};

struct SiteChanRow {
    std::optional<std::string> sta;
    std::optional<double> sps;
    std::optional<int> ngroup;  // from 1
    std::optional<double> lat;  // NULL: the station's value
    std::optional<std::string> calibfile;
    std::optional<std::string> chan;
    std::optional<int> chanindex;
    std::optional<std::string> descr;
    std::optional<double> edeph;  // NULL: the station's value
    std::optional<double> hang;
    std::optional<DbTimestamp> lddate;
    std::optional<double> lon;  // NULL: the station's value
    std::optional<double> vang;
    friend bool operator==(const SiteChanRow&, const SiteChanRow&) = default;
};

struct NetworkRow {
    std::optional<std::string> netname;
    std::optional<std::string> nettype;
    std::optional<std::string> netlist;  // member names, each followed by ';'
    std::optional<DbTimestamp> lddate;
    friend bool operator==(const NetworkRow&, const NetworkRow&) = default;
};

// The whole SITE table.
std::vector<SiteRow> read_sites(Connection& connection);
void insert_site(Connection& connection, const SiteRow& row);

// The channels of one station ("STA='%s'").
std::vector<SiteChanRow> read_sitechans(Connection& connection, const std::string& sta);
void insert_sitechan(Connection& connection, const SiteChanRow& row);

// "select NETNAME, NETLIST from NETWORKS": name and member list only.
std::vector<NetworkRow> read_network_lists(Connection& connection);
// Every column of every row.
std::vector<NetworkRow> read_networks(Connection& connection);
void insert_network(Connection& connection, const NetworkRow& row);

struct NetworkList {
    std::string name;
    std::string members;
};
// Replaces the groups in one transaction: "delete from NETWORKS", then
// "insert into NETWORKS (NETNAME, NETLIST) values ('%s','%s')" per group,
// commit. On failure the transaction is rolled back, the old rows stay and
// DbError is thrown.
void write_network_lists(Connection& connection, const std::vector<NetworkList>& groups);

}  // namespace kro

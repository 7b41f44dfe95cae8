#include "server_fixture.h"

#include <glob.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "db/odbc_error.h"
#include "text/codec.h"

namespace morvane::server_test {

namespace fs = std::filesystem;

namespace {

// The first path matching a glob pattern; empty when none does.
std::string FirstMatch(const std::string& pattern) {
  glob_t found{};
  std::string path;
  if (glob(pattern.c_str(), 0, nullptr, &found) == 0 && found.gl_pathc > 0) {
    path = found.gl_pathv[found.gl_pathc - 1];  // the newest version sorts last
  }
  globfree(&found);
  return path;
}

std::string PostgresBin() {
  std::string initdb = FirstMatch("/usr/lib/postgresql/*/bin/initdb");
  return initdb.empty() ? "" : fs::path(initdb).parent_path().string();
}
std::string MariaDbServerProgram() { return FirstMatch("/usr/sbin/mariadbd"); }
std::string MariaDbInstallProgram() { return FirstMatch("/usr/bin/mariadb-install-db"); }
std::string DriverPath(const char* file) {
  return FirstMatch(std::string("/usr/lib/*/odbc/") + file);
}

bool RunningAsRoot() { return geteuid() == 0; }

// Runs a shell command; true when it exits with 0.
bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

// The command as the server's own user: PostgreSQL refuses to run as root.
std::string AsPostgresUser(const std::string& command) {
  return RunningAsRoot() ? "runuser -u postgres -- " + command : command;
}

// The test process's root folder, created on first use and removed at exit.
struct RootFolder {
  std::string path;
  RootFolder() {
    std::string pattern = (fs::temp_directory_path() / "morvane-servers-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = pattern;
    // The postgres user must reach its folders below.
    chmod(path.c_str(), 0755);
  }
  ~RootFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

RootFolder& Root() {
  static RootFolder root;
  return root;
}

std::string PgDir() { return TestRoot() + "/pg"; }
std::string PgSocketDir() { return PgDir() + "/sock"; }
std::string MariaDir() { return TestRoot() + "/maria"; }
std::string MariaSocket() { return MariaDir() + "/sock"; }
std::string SqliteFile() { return TestRoot() + "/sqlite/test.db"; }

bool WaitFor(const std::string& path, bool present, std::chrono::seconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (fs::exists(path) == present) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// UTF-8 to UTF-16 through CP932 would lose what CP932 lacks; scripts need every character.
std::u16string Utf8ToUtf16(const std::string& utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = len == 1 ? lead : lead & (0x7F >> len);
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += len;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

// Statements of a script: each ends with ";" at the end of a line. Lines starting "--" are
// comments.
std::vector<std::string> Statements(const std::string& script) {
  std::vector<std::string> statements;
  std::istringstream in(script);
  std::string line;
  std::string current;
  while (std::getline(in, line)) {
    if (line.rfind("--", 0) == 0) continue;
    current += line + "\n";
    if (!line.empty() && line.back() == ';') {
      current.erase(current.find_last_of(';'));
      statements.push_back(current);
      current.clear();
    }
  }
  return statements;
}

class PostgresServer : public TestServer {
 public:
  PostgresServer() {
    fs::create_directories(PgSocketDir());
    fs::create_directories(PgDir() + "/data");
    if (RunningAsRoot()) {
      Run("chown postgres " + PgDir() + "/data " + PgSocketDir());
    }
    std::string bin = PostgresBin();
    if (!Run(AsPostgresUser(bin + "/initdb -D " + PgDir() +
                            "/data -U morvane --auth=trust -E UTF8 "
                            "--locale=C.UTF-8 > " +
                            TestRoot() + "/pg-initdb.log 2>&1"))) {
      throw std::runtime_error("initdb failed: " + ReadTextFile(TestRoot() + "/pg-initdb.log"));
    }
    std::string options = "-c listen_addresses='' -c unix_socket_directories=" + PgSocketDir() +
                          " -c fsync=off -c full_page_writes=off";
    if (!Run(AsPostgresUser(bin + "/pg_ctl -D " + PgDir() + "/data -l " + PgDir() +
                            "/data/server.log -w -t 60 -o \"" + options +
                            "\" start > /dev/null"))) {
      throw std::runtime_error("PostgreSQL did not start: " +
                               ReadTextFile(PgDir() + "/data/server.log"));
    }
    started_ = true;
  }
  ~PostgresServer() override {
    if (started_) {
      Run(AsPostgresUser(PostgresBin() + "/pg_ctl -D " + PgDir() +
                         "/data -m immediate -w stop > /dev/null 2>&1"));
    }
    std::error_code ignored;
    fs::remove_all(PgDir(), ignored);
  }
  std::string Dsn() const override { return "MorvanePostgres"; }

 private:
  bool started_ = false;
};

class MariaDbServer : public TestServer {
 public:
  MariaDbServer() {
    fs::create_directories(MariaDir());
    std::string user = RunningAsRoot() ? " --user=root" : "";
    std::string log = MariaDir() + "/install.log";
    if (!Run(MariaDbInstallProgram() + " --no-defaults --datadir=" + MariaDir() + "/data" + user +
             " --auth-root-authentication-method=normal --skip-test-db > " + log + " 2>&1")) {
      throw std::runtime_error("mariadb-install-db failed: " + ReadTextFile(log));
    }
    std::string pid_file = MariaDir() + "/server.pid";
    Run(MariaDbServerProgram() + " --no-defaults --datadir=" + MariaDir() + "/data --socket=" +
        MariaSocket() + " --skip-networking --pid-file=" + pid_file + " --log-error=" + MariaDir() +
        "/server.log --innodb-buffer-pool-size=32M --character-set-server=utf8mb4" + user +
        " > /dev/null 2>&1 &");
    if (!WaitFor(MariaSocket(), true, std::chrono::seconds(60)) ||
        !WaitFor(pid_file, true, std::chrono::seconds(10))) {
      throw std::runtime_error("MariaDB did not start: " +
                               ReadTextFile(MariaDir() + "/server.log"));
    }
    pid_ = std::stoi(ReadTextFile(pid_file));
  }
  ~MariaDbServer() override {
    if (pid_ > 0 && kill(pid_, SIGTERM) == 0) {
      WaitFor(MariaDir() + "/server.pid", false, std::chrono::seconds(60));
    }
    std::error_code ignored;
    fs::remove_all(MariaDir(), ignored);
  }
  std::string Dsn() const override { return "MorvaneMariaDb"; }

 private:
  pid_t pid_ = 0;
};

class SqliteDatabase : public TestServer {
 public:
  SqliteDatabase() { fs::create_directories(fs::path(SqliteFile()).parent_path()); }
  ~SqliteDatabase() override {
    std::error_code ignored;
    fs::remove_all(fs::path(SqliteFile()).parent_path(), ignored);
  }
  std::string Dsn() const override { return "MorvaneSqlite"; }
};

}  // namespace

const std::string& TestRoot() { return Root().path; }

void InstallOdbcIni(const std::string& emulator_ini_dir) {
  std::string inst;
  std::string sources;
  if (!emulator_ini_dir.empty()) {
    inst = ReadTextFile(emulator_ini_dir + "/odbcinst.ini") + "\n";
    sources = ReadTextFile(emulator_ini_dir + "/odbc.ini") + "\n";
  }
  inst += "[Morvane Test PostgreSQL]\nDescription = PostgreSQL (test server)\nDriver = " +
          DriverPath("psqlodbcw.so") + "\n\n";
  inst += "[Morvane Test PostgreSQL ANSI]\nDescription = PostgreSQL ANSI (test server)\nDriver = " +
          DriverPath("psqlodbca.so") + "\n\n";
  inst += "[Morvane Test MariaDB]\nDescription = MariaDB (test server)\nDriver = " +
          DriverPath("libmaodbc.so") + "\n\n";
  inst += "[Morvane Test SQLite]\nDescription = SQLite (test database)\nDriver = " +
          DriverPath("libsqlite3odbc.so") + "\n\n";
  std::string pg = "Driver = Morvane Test PostgreSQL\nServername = " + PgSocketDir() +
                   "\nPort = 5432\nDatabase = postgres\nUsername = morvane\n";
  sources += "[MorvanePostgres]\n" + pg + "\n";
  sources += "[MorvanePostgresCursor]\n" + pg + "UseDeclareFetch = 1\nFetch = 10\n\n";
  std::string pg_ansi = "Driver = Morvane Test PostgreSQL ANSI\nServername = " + PgSocketDir() +
                        "\nPort = 5432\nDatabase = postgres\nUsername = morvane\n";
  sources +=
      "[MorvanePostgresAnsiSjis]\n" + pg_ansi + "ConnSettings = SET client_encoding TO 'SJIS'\n\n";
  sources +=
      "[MorvanePostgresAnsiUtf8]\n" + pg_ansi + "ConnSettings = SET client_encoding TO 'UTF8'\n\n";
  sources += "[MorvaneMariaDb]\nDriver = Morvane Test MariaDB\nSocket = " + MariaSocket() +
             "\nUser = root\nDatabase = morvane\nCharset = utf8mb4\n\n";
  sources += "[MorvaneSqlite]\nDriver = Morvane Test SQLite\nDatabase = " + SqliteFile() + "\n\n";
  std::ofstream(TestRoot() + "/odbcinst.ini") << inst;
  std::ofstream(TestRoot() + "/odbc.ini") << sources;
  setenv("ODBCSYSINI", TestRoot().c_str(), 1);
  setenv("ODBCINI", (TestRoot() + "/odbc.ini").c_str(), 1);
}

std::optional<std::string> MissingServerPart(ServerKind kind) {
  switch (kind) {
    case ServerKind::kPostgres:
      if (PostgresBin().empty()) return "PostgreSQL server programs are not installed";
      if (DriverPath("psqlodbcw.so").empty() || DriverPath("psqlodbca.so").empty()) {
        return "psqlODBC driver is not installed";
      }
      if (RunningAsRoot() && !Run("id postgres > /dev/null 2>&1")) return "no postgres user";
      break;
    case ServerKind::kMariaDb:
      if (MariaDbServerProgram().empty() || MariaDbInstallProgram().empty()) {
        return "MariaDB server programs are not installed";
      }
      if (DriverPath("libmaodbc.so").empty()) return "MariaDB ODBC connector is not installed";
      break;
    case ServerKind::kSqlite:
      if (DriverPath("libsqlite3odbc.so").empty()) return "SQLite ODBC driver is not installed";
      break;
  }
  return std::nullopt;
}

std::unique_ptr<TestServer> StartServer(ServerKind kind, const std::string& schema_utf8) {
  std::unique_ptr<TestServer> server;
  switch (kind) {
    case ServerKind::kPostgres:
      server = std::make_unique<PostgresServer>();
      break;
    case ServerKind::kMariaDb: {
      server = std::make_unique<MariaDbServer>();
      // The data source's database must exist before the data source can be used.
      EnvHandle env = AllocateEnvironment();
      DbcHandle dbc = AllocateConnection(env.get());
      std::string text =
          "DRIVER={Morvane Test MariaDB};Socket=" + MariaSocket() + ";User=root;Charset=utf8mb4";
      SQLRETURN rc = SQLDriverConnect(dbc.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                      SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
      if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        throw std::runtime_error("MariaDB: " + OdbcErrorText(nullptr, dbc.get(), nullptr));
      }
      StmtHandle stmt = AllocateStatement(dbc.get());
      SQLExecDirect(stmt.get(),
                    reinterpret_cast<SQLCHAR*>(const_cast<char*>(
                        "CREATE DATABASE morvane CHARACTER SET utf8mb4 COLLATE utf8mb4_bin")),
                    SQL_NTS);
      stmt.Reset();
      SQLDisconnect(dbc.get());
      break;
    }
    case ServerKind::kSqlite:
      server = std::make_unique<SqliteDatabase>();
      break;
  }
  TestConnection connection(server->Dsn());
  if (!connection.connected()) throw std::runtime_error("cannot connect to " + server->Dsn());
  connection.Script(schema_utf8);
  return server;
}

TestConnection::TestConnection(const std::string& dsn) {
  env_ = AllocateEnvironment();
  dbc_ = AllocateConnection(env_.get());
  SQLRETURN rc = SQLConnect(dbc_.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(dsn.c_str())),
                            SQL_NTS, nullptr, 0, nullptr, 0);
  connected_ = rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
  if (!connected_) {
    ADD_FAILURE() << "connect " << dsn << ": "
                  << Cp932ToUtf8(OdbcErrorText(env_.get(), dbc_.get(), nullptr)).text;
  }
}

TestConnection::~TestConnection() {
  if (connected_) SQLDisconnect(dbc_.get());
}

void TestConnection::Script(const std::string& script_utf8) {
  for (const std::string& statement : Statements(script_utf8)) {
    StmtHandle stmt = AllocateStatement(dbc_.get());
    std::u16string text = Utf8ToUtf16(statement);
    SQLRETURN rc = SQLExecDirectW(stmt.get(), reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO && rc != SQL_NO_DATA) {
      throw std::runtime_error("script statement failed: " + statement + ": " +
                               Cp932ToUtf8(OdbcErrorText(nullptr, dbc_.get(), stmt.get())).text);
    }
  }
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace morvane::server_test

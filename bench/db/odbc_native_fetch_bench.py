#!/usr/bin/env python3
"""Generic ODBC fetch against the servers' own speed.

Starts a PostgreSQL and a MariaDB server of its own (Unix sockets, temporary folder), creates
TABLES tables of 30 columns each (primary key, one more index, one foreign key, Japanese
comments on every table and two of its columns), then times, alternating in one run:

  floor      the server's own client (psql / mariadb) running the equivalent bulk catalogue
             queries (tables, columns with comments and defaults, keys, indexes, foreign keys)
  native     morvane-cli fetch --product odbc --kinds 2,3,4 (the DBMS's own reader)
  functions  the same through the catalogue functions (--read-with functions), for comparison

Prints the median of RUNS runs of each and the ratio native / floor; the target is 2.
Usage: bench/db/odbc_native_fetch_bench.py [--build build] [--tables 500] [--runs 3]
       [--function-runs N] [--servers postgres,mariadb] [--skip-functions]
(--function-runs: how many of the runs also time the catalogue functions, which take minutes at
10,000 tables; all of them by default)
"""
import argparse
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TARGET = 2.0


def run(cmd, **kw):
    subprocess.run(cmd, check=True, **kw)


def as_postgres(cmd):
    return ["runuser", "-u", "postgres", "--"] + cmd if os.geteuid() == 0 else cmd


def driver(name):
    found = sorted(glob.glob("/usr/lib/*/odbc/" + name))
    if not found:
        sys.exit("ODBC driver %s is not installed" % name)
    return found[-1]


def pg_schema(tables):
    out = []
    for t in range(1, tables + 1):
        name = "t%05d" % t
        ref = "t%05d" % (t - 1 if t > 1 else 1)
        cols = ["id integer PRIMARY KEY", "parent_id integer REFERENCES %s (id)" % ref]
        for c in range(3, 31):
            cols.append("c%02d %s" % (c, ["varchar(40)", "numeric(12,2)", "date", "text",
                                          "integer", "char(8)"][c % 6]))
        out.append("CREATE TABLE %s (%s);" % (name, ", ".join(cols)))
        out.append("CREATE INDEX %s_ix ON %s (c06, c04);" % (name, name))
        out.append("COMMENT ON TABLE %s IS 'テーブル%d（日本語）';" % (name, t))
        out.append("COMMENT ON COLUMN %s.c06 IS '名前';" % name)
        out.append("COMMENT ON COLUMN %s.c04 IS '金額';" % name)
    return "\n".join(out) + "\n"


def maria_schema(tables):
    out = []
    for t in range(1, tables + 1):
        name = "t%05d" % t
        ref = "t%05d" % (t - 1 if t > 1 else 1)
        cols = ["id integer PRIMARY KEY", "parent_id integer"]
        for c in range(3, 31):
            typ = ["varchar(40)", "decimal(12,2)", "date", "text", "integer", "char(8)"][c % 6]
            comment = {6: " COMMENT '名前'", 4: " COMMENT '金額'"}.get(c, "")
            cols.append("c%02d %s%s" % (c, typ, comment))
        cols.append("INDEX %s_ix (c06, c04)" % name)
        cols.append("FOREIGN KEY (parent_id) REFERENCES %s (id)" % ref)
        out.append("CREATE TABLE %s (%s) COMMENT 'テーブル%d（日本語）';" % (name, ", ".join(cols), t))
    return "SET foreign_key_checks = 0;\n" + "\n".join(out) + "\n"


PG_FLOOR = """
SELECT n.nspname, c.relname, c.relkind, d.description FROM pg_catalog.pg_class c
 JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace
 LEFT JOIN pg_catalog.pg_description d ON d.objoid = c.oid AND d.objsubid = 0
 WHERE c.relkind IN ('r','v','p','m') AND n.nspname NOT LIKE 'pg\\_%' AND n.nspname <> 'information_schema'
 ORDER BY 1, 2;
SELECT n.nspname, c.relname, a.attnum, a.attname, pg_catalog.format_type(a.atttypid, a.atttypmod),
 a.attnotnull, pg_catalog.pg_get_expr(ad.adbin, ad.adrelid), d.description
 FROM pg_catalog.pg_attribute a JOIN pg_catalog.pg_class c ON c.oid = a.attrelid
 JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace
 LEFT JOIN pg_catalog.pg_attrdef ad ON ad.adrelid = a.attrelid AND ad.adnum = a.attnum
 LEFT JOIN pg_catalog.pg_description d ON d.objoid = c.oid AND d.objsubid = a.attnum
 WHERE c.relkind IN ('r','v','p','m') AND a.attnum > 0 AND NOT a.attisdropped
 AND n.nspname NOT LIKE 'pg\\_%' AND n.nspname <> 'information_schema' ORDER BY 1, 2, 3;
SELECT n.nspname, c.relname, ic.relname, i.indisunique, i.indisprimary, k.n, a.attname
 FROM pg_catalog.pg_index i JOIN pg_catalog.pg_class c ON c.oid = i.indrelid
 JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace
 JOIN pg_catalog.pg_class ic ON ic.oid = i.indexrelid
 CROSS JOIN LATERAL unnest(i.indkey::pg_catalog.int2[]) WITH ORDINALITY AS k(attnum, n)
 LEFT JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum
 WHERE n.nspname NOT LIKE 'pg\\_%' ORDER BY 1, 2, 3, 6;
SELECT n.nspname, c.relname, rc.relname FROM pg_catalog.pg_constraint con
 JOIN pg_catalog.pg_class c ON c.oid = con.conrelid
 JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace
 JOIN pg_catalog.pg_class rc ON rc.oid = con.confrelid WHERE con.contype = 'f' ORDER BY 1, 2, 3;
"""

MARIA_FLOOR = """
SELECT TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE, TABLE_COMMENT FROM information_schema.TABLES
 WHERE TABLE_SCHEMA = DATABASE() ORDER BY 1, 2;
SELECT TABLE_SCHEMA, TABLE_NAME, ORDINAL_POSITION, COLUMN_NAME, COLUMN_TYPE, DATA_TYPE,
 CHARACTER_MAXIMUM_LENGTH, CHARACTER_OCTET_LENGTH, NUMERIC_PRECISION, NUMERIC_SCALE,
 IS_NULLABLE, COLUMN_DEFAULT, COLUMN_COMMENT FROM information_schema.COLUMNS
 WHERE TABLE_SCHEMA = DATABASE() ORDER BY 1, 2, 3;
SELECT TABLE_SCHEMA, TABLE_NAME, INDEX_NAME, NON_UNIQUE, SEQ_IN_INDEX, COLUMN_NAME, COLLATION
 FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = DATABASE() ORDER BY 1, 2, 4, 3, 5;
SELECT TABLE_SCHEMA, TABLE_NAME, REFERENCED_TABLE_NAME FROM information_schema.KEY_COLUMN_USAGE
 WHERE TABLE_SCHEMA = DATABASE() AND REFERENCED_TABLE_NAME IS NOT NULL ORDER BY 1, 2, 3;
"""


class Servers:
    def __init__(self, root):
        self.root = root
        self.pg_bin = sorted(glob.glob("/usr/lib/postgresql/*/bin"))[-1]
        self.pg_dir = os.path.join(root, "pg")
        self.pg_sock = os.path.join(self.pg_dir, "sock")
        self.maria_dir = os.path.join(root, "maria")
        self.maria_sock = os.path.join(self.maria_dir, "sock")
        self.maria_pid = None
        self.pg_started = False

    def start_postgres(self, tables):
        os.makedirs(self.pg_sock)
        os.makedirs(os.path.join(self.pg_dir, "data"))
        if os.geteuid() == 0:
            shutil.chown(os.path.join(self.pg_dir, "data"), "postgres")
            shutil.chown(self.pg_sock, "postgres")
        run(as_postgres([self.pg_bin + "/initdb", "-D", self.pg_dir + "/data", "-U", "morvane",
                         "--auth=trust", "-E", "UTF8", "--locale=C.UTF-8"]),
            stdout=subprocess.DEVNULL)
        opts = "-c listen_addresses='' -c unix_socket_directories=%s -c fsync=off" % self.pg_sock
        run(as_postgres([self.pg_bin + "/pg_ctl", "-D", self.pg_dir + "/data", "-l",
                         self.pg_dir + "/data/server.log", "-w", "-o", opts, "start"]),
            stdout=subprocess.DEVNULL)
        self.pg_started = True
        run(self.psql() + ["-q", "-v", "ON_ERROR_STOP=1"], input=pg_schema(tables).encode(),
            stdout=subprocess.DEVNULL)
        run(self.psql() + ["-q", "-c", "ANALYZE"])

    def psql(self):
        return [self.pg_bin + "/psql", "-X", "-h", self.pg_sock, "-U", "morvane", "-d", "postgres"]

    def start_mariadb(self, tables):
        os.makedirs(self.maria_dir)
        user = ["--user=root"] if os.geteuid() == 0 else []
        run(["mariadb-install-db", "--no-defaults", "--datadir=" + self.maria_dir + "/data",
             "--auth-root-authentication-method=normal", "--skip-test-db"] + user,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid_file = self.maria_dir + "/server.pid"
        subprocess.Popen(["mariadbd", "--no-defaults", "--datadir=" + self.maria_dir + "/data",
                          "--socket=" + self.maria_sock, "--skip-networking",
                          "--pid-file=" + pid_file, "--log-error=" + self.maria_dir + "/server.log",
                          "--character-set-server=utf8mb4"] + user,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(600):
            if os.path.exists(self.maria_sock) and os.path.exists(pid_file):
                break
            time.sleep(0.1)
        self.maria_pid = int(open(pid_file).read())
        run(self.mariadb(None) + ["-e", "CREATE DATABASE morvane CHARACTER SET utf8mb4"])
        run(self.mariadb("morvane"), input=maria_schema(tables).encode())

    def mariadb(self, database):
        cmd = ["mariadb", "--no-defaults", "--socket=" + self.maria_sock, "-u", "root",
               "--default-character-set=utf8mb4"]
        return cmd + ([database] if database else [])

    def stop(self):
        if self.pg_started:
            subprocess.run(as_postgres([self.pg_bin + "/pg_ctl", "-D", self.pg_dir + "/data",
                                        "-m", "immediate", "-w", "stop"]),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.maria_pid:
            os.kill(self.maria_pid, 15)
            for _ in range(600):
                if not os.path.exists(self.maria_dir + "/server.pid"):
                    break
                time.sleep(0.1)

    def write_odbc_ini(self):
        with open(os.path.join(self.root, "odbcinst.ini"), "w") as f:
            f.write("[Bench PostgreSQL]\nDriver = %s\n\n" % driver("psqlodbcw.so"))
            f.write("[Bench MariaDB]\nDriver = %s\n\n" % driver("libmaodbc.so"))
        with open(os.path.join(self.root, "odbc.ini"), "w") as f:
            f.write("[BenchPostgres]\nDriver = Bench PostgreSQL\nServername = %s\nPort = 5432\n"
                    "Database = postgres\nUsername = morvane\n\n" % self.pg_sock)
            f.write("[BenchMariaDb]\nDriver = Bench MariaDB\nSocket = %s\nUser = root\n"
                    "Database = morvane\nCharset = utf8mb4\n\n" % self.maria_sock)
        os.environ["ODBCSYSINI"] = self.root
        os.environ["ODBCINI"] = os.path.join(self.root, "odbc.ini")


def timed(cmd, stdin_text=None):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, input=stdin_text.encode() if stdin_text else None,
                   stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--tables", type=int, default=500)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--servers", default="postgres,mariadb")
    ap.add_argument("--function-runs", type=int, default=None)
    ap.add_argument("--skip-functions", action="store_true")
    args = ap.parse_args()
    cli = os.path.abspath(os.path.join(args.build, "src/app/morvane-cli"))
    root = tempfile.mkdtemp(prefix="morvane-bench-")
    os.chmod(root, 0o755)
    servers = Servers(root)
    missed = False
    try:
        servers.write_odbc_ini()
        cases = []
        if "postgres" in args.servers:
            servers.start_postgres(args.tables)
            cases.append(("PostgreSQL", "BenchPostgres", servers.psql() + ["-q", "-A", "-t"],
                          PG_FLOOR))
        if "mariadb" in args.servers:
            servers.start_mariadb(args.tables)
            cases.append(("MariaDB", "BenchMariaDb", servers.mariadb("morvane") + ["-B"],
                          MARIA_FLOOR))
        out = os.path.join(root, "out.vnk")
        for title, dsn, client, floor_sql in cases:
            fetch = [cli, "fetch", "--dsn", dsn, "--product", "odbc", "--kinds", "2,3,4",
                     "--out", out]
            times = {"floor": [], "native": [], "functions": []}
            function_runs = args.runs if args.function_runs is None else args.function_runs
            for run_number in range(args.runs):
                times["floor"].append(timed(client, floor_sql))
                times["native"].append(timed(fetch))
                if not args.skip_functions and run_number < function_runs:
                    times["functions"].append(timed(fetch + ["--read-with", "functions"]))
            med = {k: statistics.median(v) for k, v in times.items() if v}
            ratio = med["native"] / med["floor"]
            missed = missed or ratio > TARGET
            print("%s, %d tables x 30 columns, median of %d:" % (title, args.tables, args.runs))
            print("  floor (%s)      %.3f s" % (os.path.basename(client[0]), med["floor"]))
            print("  morvane-cli native   %.3f s   (%.2f x floor, target <= %.1f)"
                  % (med["native"], ratio, TARGET))
            if "functions" in med:
                print("  morvane-cli functions %.3f s  (%.2f x floor; median of %d)"
                      % (med["functions"], med["functions"] / med["floor"],
                         len(times["functions"])))
            sys.stdout.flush()
    finally:
        servers.stop()
        shutil.rmtree(root, ignore_errors=True)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())

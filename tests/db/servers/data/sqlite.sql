-- Keys of one and several columns, foreign keys (one composite), unique and non-unique
-- indexes, a view and names that need quoting (SQLite keeps no comments).
CREATE TABLE customer (
  id integer PRIMARY KEY,
  code varchar(10) NOT NULL UNIQUE,
  name varchar(40) NOT NULL,
  note text,
  created date DEFAULT '2000-01-01'
);
CREATE TABLE orders (
  customer_id integer NOT NULL REFERENCES customer (id),
  order_no integer NOT NULL,
  amount numeric(12,2) DEFAULT 0,
  PRIMARY KEY (customer_id, order_no)
);
CREATE INDEX orders_amount_ix ON orders (amount DESC);
CREATE TABLE order_line (
  customer_id integer NOT NULL,
  order_no integer NOT NULL,
  line_no smallint NOT NULL,
  item varchar(20),
  qty integer,
  PRIMARY KEY (customer_id, order_no, line_no),
  FOREIGN KEY (customer_id, order_no) REFERENCES orders (customer_id, order_no)
);
CREATE UNIQUE INDEX order_line_item_ux ON order_line (item, qty);
CREATE TABLE "odd ""name" ("my col" varchar(5) NOT NULL, "列①" char(3));
CREATE VIEW big_orders AS SELECT customer_id, order_no FROM orders WHERE amount > 100;
INSERT INTO customer (id, code, name) VALUES (1, 'A', '一'), (2, 'B', '二'), (3, 'C', '三');
INSERT INTO "odd ""name" VALUES ('x', 'a'), ('y', 'b');
CREATE TABLE 社員 (番号 integer PRIMARY KEY, 氏名 varchar(20));
INSERT INTO 社員 VALUES (1, '山田');

-- Two schemas, keys of one and several columns, foreign keys (one composite), unique and
-- non-unique indexes, a view, Japanese comments and names that need quoting.
CREATE SCHEMA sales;
CREATE TABLE public.customer (
  id integer PRIMARY KEY,
  code varchar(10) NOT NULL UNIQUE,
  name varchar(40) NOT NULL,
  note text,
  created date DEFAULT DATE '2000-01-01'
);
COMMENT ON TABLE public.customer IS '顧客';
COMMENT ON COLUMN public.customer.name IS '顧客名（全角）';
CREATE TABLE sales.orders (
  customer_id integer NOT NULL REFERENCES public.customer (id),
  order_no integer NOT NULL,
  amount numeric(12,2) DEFAULT 0,
  PRIMARY KEY (customer_id, order_no)
);
COMMENT ON TABLE sales.orders IS '受注';
CREATE INDEX orders_amount_ix ON sales.orders (amount DESC);
CREATE TABLE sales.order_line (
  customer_id integer NOT NULL,
  order_no integer NOT NULL,
  line_no smallint NOT NULL,
  item varchar(20),
  qty integer,
  PRIMARY KEY (customer_id, order_no, line_no),
  FOREIGN KEY (customer_id, order_no) REFERENCES sales.orders (customer_id, order_no)
);
CREATE UNIQUE INDEX order_line_item_ux ON sales.order_line (item, qty);
CREATE TABLE public."odd ""name" ("my col" varchar(5) NOT NULL, "列①" char(3));
COMMENT ON TABLE public."odd ""name" IS '引用符の表 😀';
COMMENT ON COLUMN public."odd ""name"."列①" IS '丸数字';
CREATE VIEW sales.big_orders AS SELECT customer_id, order_no FROM sales.orders WHERE amount > 100;
INSERT INTO public.customer (id, code, name) VALUES (1, 'A', '一'), (2, 'B', '二'), (3, 'C', '三');
INSERT INTO public."odd ""name" VALUES ('x', 'a'), ('y', 'b');
CREATE TABLE 社員 (番号 integer PRIMARY KEY, 氏名 varchar(20));
INSERT INTO 社員 VALUES (1, '山田');
-- Columns of awkward types in a schema of their own: domains, an enumeration, arrays, numbers
-- with and without precision, text of every length, times with precision.
CREATE SCHEMA awkward;
CREATE TYPE awkward.mood AS ENUM ('sad', 'ok');
CREATE DOMAIN awkward.price AS numeric(10,3) NOT NULL DEFAULT 0;
CREATE DOMAIN awkward.code AS varchar(7);
CREATE TABLE awkward."変な列" (
  id bigserial PRIMARY KEY,
  small smallint NOT NULL DEFAULT 7,
  amount numeric(12,2) DEFAULT 1.50,
  plain_number numeric,
  ratio real,
  ratio2 double precision,
  cash money,
  label varchar(40) DEFAULT 'x''y',
  any_length varchar,
  long_text varchar(300),
  code char(8) NOT NULL,
  note text,
  flag boolean DEFAULT true,
  born date,
  at_time time(3),
  stamp timestamp(0),
  stamp_tz timestamptz,
  span interval day to second(2),
  photo bytea,
  uid uuid,
  doc jsonb,
  addr inet,
  numbers integer[],
  names varchar(10)[],
  mood awkward.mood,
  moods awkward.mood[],
  price awkward.price,
  short_code awkward.code,
  bits bit(3),
  vbits varbit(9)
);
COMMENT ON TABLE awkward."変な列" IS '型の見本（日本語）';
COMMENT ON COLUMN awkward."変な列".label IS 'ラベル①';
COMMENT ON COLUMN awkward."変な列".price IS '価格';

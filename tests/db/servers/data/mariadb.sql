-- Keys of one and several columns, foreign keys (one composite), unique and non-unique
-- indexes, a view, Japanese comments and names that need quoting.
CREATE TABLE customer (
  id int NOT NULL PRIMARY KEY,
  code varchar(10) NOT NULL UNIQUE,
  name varchar(40) NOT NULL COMMENT '顧客名（全角）',
  note text,
  created date DEFAULT '2000-01-01'
) ENGINE=InnoDB COMMENT='顧客';
CREATE TABLE orders (
  customer_id int NOT NULL,
  order_no int NOT NULL,
  amount decimal(12,2) DEFAULT 0,
  PRIMARY KEY (customer_id, order_no),
  KEY orders_amount_ix (amount),
  CONSTRAINT orders_customer_fk FOREIGN KEY (customer_id) REFERENCES customer (id)
) ENGINE=InnoDB COMMENT='受注';
CREATE TABLE order_line (
  customer_id int NOT NULL,
  order_no int NOT NULL,
  line_no smallint NOT NULL,
  item varchar(20),
  qty int,
  PRIMARY KEY (customer_id, order_no, line_no),
  UNIQUE KEY order_line_item_ux (item, qty),
  CONSTRAINT order_line_orders_fk FOREIGN KEY (customer_id, order_no)
    REFERENCES orders (customer_id, order_no)
) ENGINE=InnoDB;
CREATE TABLE `odd "name` (`my col` varchar(5) NOT NULL, `列①` char(3) COMMENT '丸数字')
  ENGINE=InnoDB COMMENT='引用符の表 😀';
CREATE VIEW big_orders AS SELECT customer_id, order_no FROM orders WHERE amount > 100;
INSERT INTO customer (id, code, name) VALUES (1, 'A', '一'), (2, 'B', '二'), (3, 'C', '三');
INSERT INTO `odd "name` VALUES ('x', 'a'), ('y', 'b');
CREATE TABLE 社員 (番号 int PRIMARY KEY, 氏名 varchar(20)) ENGINE=InnoDB;
INSERT INTO 社員 VALUES (1, '山田');
-- Columns of awkward types in a database of its own: unsigned and zero-filled numbers, bit
-- fields, enumerations and sets, text and binary of every length, times with precision.
CREATE DATABASE awkward CHARACTER SET utf8mb4;
CREATE TABLE awkward.`変な列` (
  id int unsigned AUTO_INCREMENT PRIMARY KEY,
  tiny tinyint,
  utiny tinyint unsigned,
  small smallint NOT NULL DEFAULT 7,
  medium mediumint,
  big bigint,
  ubig bigint unsigned zerofill,
  amount decimal(12,2) DEFAULT 1.50,
  uamount decimal(10,0) unsigned,
  ratio float,
  ratio2 float(7,3),
  ratio3 double,
  ratio4 double(16,4),
  flag bit(1),
  bits bit(5),
  bits2 bit(12),
  yr year,
  label varchar(40) DEFAULT 'x''y' COMMENT 'ラベル①',
  code char(8) NOT NULL,
  note text,
  tiny_note tinytext,
  medium_note mediumtext,
  long_note longtext,
  doc json,
  colour enum('赤', 'green') DEFAULT '赤',
  tags set('a', 'b', 'c'),
  born date,
  at_time time(3),
  stamp datetime(6),
  changed timestamp NOT NULL DEFAULT CURRENT_TIMESTAMP,
  raw binary(4),
  raw2 varbinary(20),
  blob_data blob,
  small_blob tinyblob,
  medium_blob mediumblob,
  long_blob longblob,
  latin varchar(10) CHARACTER SET latin1,
  sjis_code char(3) CHARACTER SET sjis
) ENGINE=InnoDB COMMENT='型の見本（日本語）';

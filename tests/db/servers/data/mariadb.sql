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

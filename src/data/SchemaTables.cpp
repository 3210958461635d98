// The tables of version 1: every table and column the office uses, the keys
// that identify rows, and the indexes the windows and reports filter by.
// Text is VARCHAR (UTF8), money and quantities DOUBLE PRECISION.
#include "data/SchemaTables.h"

namespace {

// Columns shared by the four sales books (r_mast, tax_mast, jo_mast, in_mast).
const char* const kSalesColumns = R"(
  saup VARCHAR(2), ilja VARCHAR(10) NOT NULL, ul VARCHAR(7), yun VARCHAR(4), seq VARCHAR(2) NOT NULL,
  grcd VARCHAR(4), grcd_name VARCHAR(30), code VARCHAR(3), code_name VARCHAR(40),
  kawn_sa VARCHAR(1), misu VARCHAR(1), man_code VARCHAR(3), man_name VARCHAR(15),
  remi_code VARCHAR(4), kind VARCHAR(10), standard VARCHAR(10),
  m3 DOUBLE PRECISION, danga DOUBLE PRECISION, vat VARCHAR(1), kum DOUBLE PRECISION,
  vatkum DOUBLE PRECISION, hap DOUBLE PRECISION, yul DOUBLE PRECISION, memo VARCHAR(30),
  okno VARCHAR(10), tax_ilja VARCHAR(10), tax_seq VARCHAR(7))";

// Columns shared by the two deposit books (r_ipkum, tax_ipkum).
const char* const kDepositColumns = R"(
  saup VARCHAR(2), ilja VARCHAR(10) NOT NULL, ul VARCHAR(7), yun VARCHAR(4), jun VARCHAR(2) NOT NULL,
  grcd VARCHAR(4), grcd_name VARCHAR(30), code VARCHAR(3), code_name VARCHAR(40),
  kawn_sa VARCHAR(1), misu VARCHAR(1), man_code VARCHAR(3), man_name VARCHAR(15),
  hyun DOUBLE PRECISION, au DOUBLE PRECISION, gi DOUBLE PRECISION, hal DOUBLE PRECISION,
  dea DOUBLE PRECISION, lee DOUBLE PRECISION, hap_kum DOUBLE PRECISION,
  card_num VARCHAR(15), bank VARCHAR(20), last_date VARCHAR(10), memo VARCHAR(30))";

const char* const kClosingColumns = R"(
  saup VARCHAR(2), grcd VARCHAR(4) NOT NULL, code VARCHAR(3) NOT NULL, ilja VARCHAR(7) NOT NULL,
  m3 DOUBLE PRECISION, kum DOUBLE PRECISION, vatkum DOUBLE PRECISION, hap DOUBLE PRECISION,
  hyun DOUBLE PRECISION, au DOUBLE PRECISION, gi DOUBLE PRECISION, hal DOUBLE PRECISION,
  dea DOUBLE PRECISION, lee DOUBLE PRECISION, misu DOUBLE PRECISION,
  PRIMARY KEY (grcd, code, ilja))";

QString invoiceLines()
{
    QString s;
    for (int i = 1; i <= 4; ++i)
        s += QStringLiteral(", ul_%1 VARCHAR(5), japum_%1 VARCHAR(30), m3_%1 DOUBLE PRECISION, danga_%1 DOUBLE PRECISION,"
                            " kum_%1 DOUBLE PRECISION, vatkum_%1 DOUBLE PRECISION").arg(i);
    return s;
}

QString invoiceTable()
{
    return QStringLiteral(
        "(ilja VARCHAR(10) NOT NULL, kawn VARCHAR(2) NOT NULL, ho VARCHAR(2) NOT NULL, seq VARCHAR(7) NOT NULL,"
        " grcd VARCHAR(4), grcd_name VARCHAR(30), code VARCHAR(3), code_name VARCHAR(40)")
        + invoiceLines()
        + QStringLiteral(", hap DOUBLE PRECISION, youngsu VARCHAR(1), jungsang VARCHAR(1), hap_kum DOUBLE PRECISION,"
                         " hap_vatkum DOUBLE PRECISION, bigo VARCHAR(60), PRIMARY KEY (ilja, seq, kawn, ho))");
}

QString mixColumns()
{
    QString s;
    for (const char* m : {"cement", "sand", "gravel"}) {
        for (int i = 1; i <= 6; ++i)
            s += QStringLiteral(" %1_%2 %3,").arg(QLatin1String(m)).arg(i)
                     .arg(i <= 3 ? QStringLiteral("INTEGER") : QStringLiteral("DOUBLE PRECISION"));
    }
    for (int i = 1; i <= 6; ++i)
        s += QStringLiteral(" ad_%1 DOUBLE PRECISION,").arg(i);
    return s;
}

} // namespace

QList<TableDef> schemaTables()
{
    const QString sales = QLatin1String(kSalesColumns);
    const QString deposits = QLatin1String(kDepositColumns);
    return {
        {"enrol", R"((saup VARCHAR(2), name VARCHAR(60), daepyo VARCHAR(30), uptae VARCHAR(50), jongmok VARCHAR(50),
            saupja VARCHAR(30), gaeyak VARCHAR(50), post VARCHAR(7), address VARCHAR(100), tel VARCHAR(30),
            fax VARCHAR(30), japum VARCHAR(30)))", {}},
        {"iso", "(code INTEGER NOT NULL PRIMARY KEY, name VARCHAR(60), num VARCHAR(40))", {}},
        {"zipcode", "(post VARCHAR(7), dong VARCHAR(60), juso VARCHAR(100), ddd VARCHAR(10))",
         {"CREATE INDEX zipcode_post ON zipcode (post)"}},
        {"youngup", R"((saup VARCHAR(2), code VARCHAR(3) NOT NULL PRIMARY KEY, man VARCHAR(10), pass VARCHAR(5),
            man_status VARCHAR(10)))", {"CREATE INDEX youngup_man ON youngup (man)"}},
        {"customer", R"((saup VARCHAR(2), grcd VARCHAR(4) NOT NULL PRIMARY KEY, cust_set VARCHAR(1) NOT NULL,
            cust_seq VARCHAR(3) NOT NULL, name VARCHAR(30), daepyo VARCHAR(15), saupja VARCHAR(30), uptae VARCHAR(30),
            jongmok VARCHAR(30), post VARCHAR(7), address1 VARCHAR(50), address2 VARCHAR(20), tel VARCHAR(30),
            fax VARCHAR(30), kawn_sa VARCHAR(1), misu VARCHAR(1), vat VARCHAR(1), ilja VARCHAR(10), memo VARCHAR(30),
            post_yn VARCHAR(1), rank VARCHAR(1), enable VARCHAR(1), julsa VARCHAR(3),
            CONSTRAINT customer_set_seq UNIQUE (cust_set, cust_seq)))",
         {"CREATE INDEX customer_name ON customer (name)", "CREATE INDEX customer_kawn_sa ON customer (kawn_sa)"}},
        {"r_hyunjang", R"((saup VARCHAR(2), grcd VARCHAR(4) NOT NULL, grcd_name VARCHAR(30), code VARCHAR(3) NOT NULL,
            name VARCHAR(40), grcode VARCHAR(7), kawn_sa VARCHAR(1), misu VARCHAR(1), man_code VARCHAR(3),
            man_name VARCHAR(10), office_tel VARCHAR(35), ground_tel VARCHAR(35), order_nul DOUBLE PRECISION,
            build VARCHAR(30), gover VARCHAR(40), gover_num VARCHAR(15), ilja VARCHAR(10), gita VARCHAR(50),
            memo VARCHAR(30), job_date VARCHAR(10), misu_kum DOUBLE PRECISION, sil_misukum DOUBLE PRECISION,
            jun_year_misu DOUBLE PRECISION, year_maechul DOUBLE PRECISION, year_sukum DOUBLE PRECISION,
            oemae_receive DOUBLE PRECISION, sil_receive DOUBLE PRECISION, mido_au DOUBLE PRECISION,
            pan_bu DOUBLE PRECISION, sukum_bu DOUBLE PRECISION, first_sale_date VARCHAR(10),
            last_sale_date VARCHAR(10), last_sukum_date VARCHAR(10), PRIMARY KEY (grcd, code)))",
         {"CREATE INDEX r_hyunjang_grcode ON r_hyunjang (grcode)", "CREATE INDEX r_hyunjang_man ON r_hyunjang (man_code)",
          "CREATE INDEX r_hyunjang_name ON r_hyunjang (name)"}},
        {"r_hyun_order", R"((saup VARCHAR(2), grcd VARCHAR(4) NOT NULL, code VARCHAR(3) NOT NULL,
            standard VARCHAR(10) NOT NULL, kind VARCHAR(10), demand1 VARCHAR(10) NOT NULL, demand2 VARCHAR(10),
            order_num VARCHAR(30), amount DOUBLE PRECISION, cost DOUBLE PRECISION, delivery VARCHAR(10),
            memo VARCHAR(30), PRIMARY KEY (grcd, code, standard, demand1)))", {}},
        {"r_size", QStringLiteral(R"((saup VARCHAR(2), remi_code VARCHAR(4) NOT NULL, ilja VARCHAR(10) NOT NULL,
            gubun VARCHAR(1), kind VARCHAR(10), standard VARCHAR(10), gover_num VARCHAR(15), rul_ks VARCHAR(10),
            remi_code1 VARCHAR(3),)") + mixColumns() + QStringLiteral(R"( water_1 DOUBLE PRECISION,
            water_2 DOUBLE PRECISION, wc DOUBLE PRECISION, sa DOUBLE PRECISION, slg DOUBLE PRECISION,
            cement1 VARCHAR(20), cement2 VARCHAR(20), ad1 VARCHAR(20), ad2 VARCHAR(20), kong VARCHAR(30),
            yeom VARCHAR(30), kwan_danga INTEGER, sa_danga INTEGER, PRIMARY KEY (remi_code, ilja)))"),
         {"CREATE INDEX r_size_gubun ON r_size (gubun, remi_code)", "CREATE INDEX r_size_standard ON r_size (standard)"}},
        {"r_misu", R"((saup VARCHAR(2), grcd VARCHAR(4) NOT NULL, code VARCHAR(3) NOT NULL, ilja VARCHAR(7) NOT NULL,
            kum DOUBLE PRECISION, PRIMARY KEY (grcd, code, ilja)))", {"CREATE INDEX r_misu_ilja ON r_misu (ilja)"}},
        {"car_code", R"((saup VARCHAR(2), code VARCHAR(10) NOT NULL PRIMARY KEY, scode VARCHAR(4), name VARCHAR(10),
            m3 INTEGER, wight DOUBLE PRECISION, carco VARCHAR(2), company VARCHAR(10), gubun VARCHAR(10),
            sudang VARCHAR(1), c_bool VARCHAR(1), c_otime VARCHAR(5), c_msum DOUBLE PRECISION,
            c_dsum DOUBLE PRECISION, c_state VARCHAR(5)))", {}},
        {"car_cust", "(saup VARCHAR(2), code VARCHAR(2) NOT NULL PRIMARY KEY, name VARCHAR(40))", {}},
        {"carry", "(code VARCHAR(10) NOT NULL PRIMARY KEY, dis_kum DOUBLE PRECISION)", {}},
        {"r_suju", R"((saup VARCHAR(2), ilja VARCHAR(10) NOT NULL, seq VARCHAR(2) NOT NULL, grcd VARCHAR(4),
            v_inout VARCHAR(30), code VARCHAR(3), v_station VARCHAR(40), ground VARCHAR(50), dist DOUBLE PRECISION,
            time_ VARCHAR(10), remi_code VARCHAR(4), v_rule VARCHAR(10), kind VARCHAR(10), order_m3 DOUBLE PRECISION,
            danga DOUBLE PRECISION, vat VARCHAR(1), v_okno VARCHAR(2), memo VARCHAR(30), cement VARCHAR(20),
            gravel VARCHAR(20), japum VARCHAR(20), con VARCHAR(20), v_hon VARCHAR(20), ondo INTEGER,
            v_outorder DOUBLE PRECISION, v_ftime VARCHAR(10), v_ltime VARCHAR(10), v_ccount DOUBLE PRECISION,
            v_nocarin DOUBLE PRECISION, v_cincout VARCHAR(10), v_state VARCHAR(15), v_reorder DOUBLE PRECISION,
            PRIMARY KEY (ilja, seq)))",
         {"CREATE INDEX r_suju_site ON r_suju (grcd, code)", "CREATE INDEX r_suju_remi ON r_suju (remi_code)"}},
        {"cont_carry", R"((ilja VARCHAR(10) NOT NULL, seq VARCHAR(2) NOT NULL, gubun VARCHAR(10) NOT NULL,
            danga DOUBLE PRECISION, PRIMARY KEY (ilja, seq, gubun)))", {}},
        {"cholha", R"((o_fdate VARCHAR(10), o_scode VARCHAR(2), o_date VARCHAR(10), o_otime VARCHAR(8),
            o_count VARCHAR(3), o_carnum VARCHAR(10), o_ccode VARCHAR(10), o_hogi VARCHAR(1),
            o_outorder DOUBLE PRECISION, o_return VARCHAR(10)))",
         {"CREATE INDEX cholha_order ON cholha (o_fdate, o_scode)", "CREATE INDEX cholha_date ON cholha (o_date)",
          "CREATE INDEX cholha_car ON cholha (o_carnum)"}},
        {"carprice", R"((ilja VARCHAR(10) NOT NULL, seq VARCHAR(3) NOT NULL, car_num VARCHAR(10), car_num_1 VARCHAR(20),
            ton DOUBLE PRECISION, ton_dist DOUBLE PRECISION, ton_danga DOUBLE PRECISION, cont DOUBLE PRECISION,
            cont_dist VARCHAR(10), cont_danga DOUBLE PRECISION, ildang DOUBLE PRECISION, il_danga DOUBLE PRECISION,
            add_kum DOUBLE PRECISION, carry_kum DOUBLE PRECISION, grcd VARCHAR(4), grcd_name VARCHAR(30),
            code VARCHAR(3), code_name VARCHAR(40), PRIMARY KEY (ilja, seq)))",
         {"CREATE INDEX carprice_car ON carprice (car_num)"}},
        {"r_mast", "(" + sales + ", PRIMARY KEY (ilja, seq))", salesIndexes("r_mast")},
        {"tax_mast", "(" + sales + ", PRIMARY KEY (ilja, seq))", salesIndexes("tax_mast")},
        {"jo_mast", "(" + sales + ", PRIMARY KEY (ilja, seq))", salesIndexes("jo_mast")},
        {"in_mast", "(" + sales + ", PRIMARY KEY (ilja, seq))", salesIndexes("in_mast")},
        {"rd_mast", R"((saup VARCHAR(2), ilja VARCHAR(10), ul VARCHAR(7), yun VARCHAR(4), grcd VARCHAR(4),
            grcd_name VARCHAR(30), code VARCHAR(3), code_name VARCHAR(40), seq VARCHAR(2), remi_code VARCHAR(4),
            kind VARCHAR(10), standard VARCHAR(10), m3 DOUBLE PRECISION, danga DOUBLE PRECISION, vat VARCHAR(1),
            kum DOUBLE PRECISION, vatkum DOUBLE PRECISION, hap DOUBLE PRECISION, man_code VARCHAR(3),
            man_name VARCHAR(15), misu VARCHAR(1), kawn_sa VARCHAR(1), yul DOUBLE PRECISION, memo VARCHAR(30),
            status VARCHAR(1), why VARCHAR(40), dam_code VARCHAR(3), dam_name VARCHAR(15)))",
         {"CREATE INDEX rd_mast_ilja ON rd_mast (ilja)"}},
        {"r_ipkum", "(" + deposits + ", okno VARCHAR(10), PRIMARY KEY (ilja, jun))", depositIndexes("r_ipkum")},
        {"tax_ipkum", "(" + deposits + ", okno VARCHAR(10), PRIMARY KEY (ilja, jun))", depositIndexes("tax_ipkum")},
        {"rd_ipkum", "(" + QString(deposits).replace(" NOT NULL", "") + ", status VARCHAR(1), why VARCHAR(40))",
         {"CREATE INDEX rd_ipkum_ilja ON rd_ipkum (ilja)"}},
        {"makam", "(" + QLatin1String(kClosingColumns) + ")", {"CREATE INDEX makam_ilja ON makam (ilja)"}},
        {"tax_makam", "(" + QLatin1String(kClosingColumns) + ")", {"CREATE INDEX tax_makam_ilja ON tax_makam (ilja)"}},
        {"tax", invoiceTable(), {"CREATE INDEX tax_customer ON tax (grcd, code)"}},
        {"jo_tax", invoiceTable(), {"CREATE INDEX jo_tax_customer ON jo_tax (grcd, code)"}},
        {"r_wonga", R"((saup VARCHAR(2), ilja VARCHAR(7) NOT NULL PRIMARY KEY,
            cement_1 DOUBLE PRECISION, cement_2 DOUBLE PRECISION, cement_3 DOUBLE PRECISION,
            sand_1 DOUBLE PRECISION, sand_2 DOUBLE PRECISION, sand_3 DOUBLE PRECISION,
            gravel_1 DOUBLE PRECISION, gravel_2 DOUBLE PRECISION, gravel_3 DOUBLE PRECISION,
            ad_1 DOUBLE PRECISION, ad_2 DOUBLE PRECISION, ad_3 DOUBLE PRECISION,
            water_1 DOUBLE PRECISION, water_2 DOUBLE PRECISION, nomu DOUBLE PRECISION, kyungbi DOUBLE PRECISION))", {}},
        {"damdang", R"((saup VARCHAR(2), ilja VARCHAR(7) NOT NULL, man_code VARCHAR(3) NOT NULL, m3 DOUBLE PRECISION,
            kum DOUBLE PRECISION, pankum DOUBLE PRECISION, PRIMARY KEY (ilja, man_code)))", {}},
        {"yejung", R"((saup VARCHAR(2), ilja VARCHAR(7) NOT NULL, gubun VARCHAR(1) NOT NULL, m3 DOUBLE PRECISION,
            kum DOUBLE PRECISION, pankum DOUBLE PRECISION, PRIMARY KEY (ilja, gubun)))", {}},
        {"hyun_status", R"((saup VARCHAR(2), ilja VARCHAR(10), grcd VARCHAR(4), code VARCHAR(3), man_code VARCHAR(3),
            man_name VARCHAR(10)))", {}},
        {"hyun_damdang", R"((grcd VARCHAR(4), code VARCHAR(3), ilja VARCHAR(10), man_code VARCHAR(3),
            man_name VARCHAR(10)))", {"CREATE INDEX hyun_damdang_site ON hyun_damdang (grcd, code)"}},
    };
}

QStringList salesIndexes(const QString& t)
{
    return {
        QStringLiteral("CREATE INDEX %1_ul ON %1 (ul)").arg(t),
        QStringLiteral("CREATE INDEX %1_yun ON %1 (yun)").arg(t),
        QStringLiteral("CREATE INDEX %1_site ON %1 (grcd, code, ilja)").arg(t),
        QStringLiteral("CREATE INDEX %1_remi ON %1 (remi_code)").arg(t),
        QStringLiteral("CREATE INDEX %1_man ON %1 (man_code)").arg(t),
    };
}

QStringList depositIndexes(const QString& t)
{
    return {
        QStringLiteral("CREATE INDEX %1_ul ON %1 (ul)").arg(t),
        QStringLiteral("CREATE INDEX %1_yun ON %1 (yun)").arg(t),
        QStringLiteral("CREATE INDEX %1_site ON %1 (grcd, code, ilja)").arg(t),
        QStringLiteral("CREATE INDEX %1_man ON %1 (man_code)").arg(t),
    };
}

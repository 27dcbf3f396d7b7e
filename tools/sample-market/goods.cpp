#include "goods.h"

#include <cstdio>
#include <iterator>

#include "text/hosts.h"

namespace {

const char* const kOpeners[] = {"正品",     "特价",     "清仓",     "爆款",     "热卖", "限时抢购",
                                "厂家直销", "【包邮】", "【特惠】", "买一送一", "新款", "品牌"};
const char* const kClosers[] = {"包邮",   "送礼盒",   "特惠装", "限量",     "批发",    "正品保证",
                                "清仓价", "顺丰包邮", "买2送1", "热销万件", "送运费险"};

// Goods of a kind share the words that describe them, so names read like real ones.
struct Theme {
  std::string_view qualifiers;
  std::string_view nouns;
};
constexpr Theme kThemes[] = {
    {"2014冬季新款 秋冬新品 韩版 日系 欧美风 男士 女士 情侣 学生 大码 修身 宽松 加厚 加绒 纯棉 "
     "保暖 羊毛 中长款 连帽",
     "T恤 毛衣 羽绒服 棉衣 卫衣 打底裤 牛仔裤 针织衫 外套 棉服 衬衫 睡衣 保暖内衣 呢子大衣 连衣裙"},
    {"2014冬季新款 韩版 男士 女士 儿童 防滑 防水 加绒 保暖 真皮 平底 百搭 休闲",
     "雪地靴 棉拖鞋 帆布鞋 短靴 运动鞋 围巾 手套 帽子 袜子 腰带 双肩包 钱包"},
    {"特产 散装 原味 手工 农家 有机 新货 精选 独立包装 办公室 休闲",
     "坚果 红枣 枸杞 茶叶 蜂蜜 饼干 巧克力 牛肉干 花生 核桃 葡萄干 芒果干 年货礼包"},
    {"家用 创意 多功能 加厚 不锈钢 便携 加大 收纳 简约 北欧风 卡通 可爱",
     "保温杯 收纳盒 抱枕 毛巾 四件套 床单 靠垫 衣架 拖把 暖手宝 电热毯 保鲜盒 菜板 雨伞 台灯"},
    {"便携 迷你 超薄 高速 大容量 通用 无线 防摔 创意 卡通",
     "数据线 充电宝 耳机 手机壳 鼠标垫 插座 音箱 读卡器 手机支架 键盘"},
    {"补水 保湿 美白 天然 温和 滋润 清爽 男士 女士 孕妇可用",
     "洗面奶 面膜 护手霜 唇膏 爽肤水 身体乳 洗发水 沐浴露 牙膏 香皂"},
};
constexpr std::string_view kPlainQualifiers =
    "正品 特价 新款 热卖 优质 精选 高档 家用 进口 国产 经典 升级版";
const char* const kShopNames[] = {"织梦", "暖阳", "优品", "佳美", "乐活", "悦享", "木子",
                                  "小熊", "米兰", "森林", "阿狸", "果果", "简艺", "蓝海",
                                  "金秋", "红豆", "青竹", "星辰", "橙子", "白鹭"};
const char* const kShopKinds[] = {"旗舰店", "专营店", "家居店", "官方店",
                                  "精品店", "工厂店", "小铺",   "生活馆"};

const char* const kPitches[] = {
    "小编推荐：做工精细，用料扎实，这个价格真的很难找到了，喜欢的亲抓紧时间下手吧！",
    "买家好评率高达98%，回头客超多，性价比超高，家里常备一份很实用。",
    "今日限量特价，库存不多，卖完即恢复日常价，先到先得，手慢无。",
    "精选优质面料，柔软舒适不起球，多色可选，送人自用都很合适。",
    "厂家直供，省去中间环节，品质有保障，支持七天无理由退换货。",
    "冬季必备好物，保暖效果一流，北方的亲们强烈推荐入手。",
    "店铺信誉良好，发货速度快，包装严实，收到后有问题可随时联系客服。",
    "小编亲自试用过，效果很不错，比超市里买的划算多了，值得囤货。",
    "新品上市冲销量，前1000名下单再送精美小礼品一份，赠完为止。",
    "经典款式百搭耐看，上身效果好，尺码标准，按平时尺码选购即可。",
};
const char* const kPlaces[] = {"浙江 杭州", "浙江 义乌", "广东 广州", "广东 深圳",   "江苏 苏州",
                               "上海",      "福建 泉州", "山东 青岛", "河北 石家庄", "北京"};

// A price the way shops round it: whole yuan, or ending in .9, .8 or .5.
int ShopPrice(Rng& rng, int min_tenths, int max_tenths) {
  int t = rng.Between(min_tenths, max_tenths);
  static const int kEndings[] = {0, 9, 9, 8, 5, 0};
  t = t / 10 * 10 + rng.Pick(kEndings);
  return t < 10 ? 10 + rng.Pick(kEndings) : t;
}

}  // namespace

std::vector<std::string> Words(std::string_view list) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < list.size()) {
    std::size_t end = list.find(' ', at);
    if (end == std::string_view::npos) end = list.size();
    if (end > at) out.emplace_back(list.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

Goods MakeGoods(Rng& rng, int min_tenths, int max_tenths, std::string_view nouns) {
  const Theme& theme = rng.Pick(kThemes);
  std::vector<std::string> pool = Words(nouns.empty() ? theme.nouns : nouns);
  std::vector<std::string> qualifiers = Words(nouns.empty() ? theme.qualifiers : kPlainQualifiers);
  auto pick = [&rng](const std::vector<std::string>& words) -> const std::string& {
    return words[rng.Next() % words.size()];
  };

  Goods g;
  g.id = 10000000000LL + static_cast<std::int64_t>(rng.Next() % 39999999999ULL);
  if (rng.Percent(60)) g.words.emplace_back(rng.Pick(kOpeners));
  g.words.push_back(pick(qualifiers));
  if (rng.Percent(45)) {
    const std::string& second = pick(qualifiers);
    if (second != g.words.back()) g.words.push_back(second);
  }
  g.words.push_back(pick(pool));
  if (rng.Percent(45)) g.words.emplace_back(rng.Pick(kClosers));
  g.price_tenths = ShopPrice(rng, min_tenths, max_tenths);
  int ratio = rng.Between(15, 60);  // tenths: 1.5 to 6 times
  int original = g.price_tenths * ratio / 10 / 10 * 10;
  if (rng.Percent(35)) original += 9;
  g.original_tenths = original > g.price_tenths ? original : g.price_tenths + 10;
  g.sold = rng.Percent(20) ? rng.Between(0, 99) : rng.Between(100, 48000);
  g.shop = std::string(rng.Pick(kShopNames)) + rng.Pick(kShopKinds);
  g.image_server = rng.Between(1, 4);
  return g;
}

std::string SpacedName(Rng& rng, const std::vector<std::string>& words) {
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0 && rng.Percent(60)) out += ' ';
    out += words[i];
  }
  return out;
}

std::string BrokenName(const std::vector<std::string>& words) {
  std::string out = "\r\n    ";
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += words[i];
    if (i + 1 < words.size()) out += i == words.size() / 2 ? "\r\n    " : " ";
  }
  return out + "\r\n    ";
}

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\r' && c != '\n') out += c;
  }
  return out;
}

std::string MoneyText(int tenths) {
  char buf[32];
  if (tenths % 10 == 0) {
    std::snprintf(buf, sizeof buf, "%d", tenths / 10);
  } else {
    std::snprintf(buf, sizeof buf, "%d.%d", tenths / 10, tenths % 10);
  }
  return buf;
}

std::string MoneyCents(int tenths) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d.%d0", tenths / 10, tenths % 10);
  return buf;
}

std::string StatedDiscount(int price_tenths, int original_tenths) {
  int d = (price_tenths * 100 + original_tenths / 2) / original_tenths;  // in tenths of a tenth
  return MoneyText(d < 1 ? 1 : d);
}

std::string Decimal(std::int64_t n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(n));
  return buf;
}

std::string ItemLink(std::int64_t id) {
  return std::string("http://") + hosts::kItemPage + "/item.htm?id=" + Decimal(id);
}

std::string ImageAddress(const Goods& goods, std::string_view size) {
  std::string out = "http://img0" + Decimal(goods.image_server) + ".market.example/bao/uploaded/i" +
                    Decimal(goods.image_server) + "/T1" + Decimal(goods.id % 99991) + "X" +
                    Decimal(goods.id) + ".jpg_";
  out += size;
  return out + ".jpg";
}

std::string Thumbnails(const Goods& goods, int count) {
  std::string out;
  for (int i = 1; i <= count; ++i) {
    Goods view = goods;
    view.id = goods.id + i;
    Put(out, {"<img class=\"thumb\" src=\"", ImageAddress(view, "60x60"),
              "\" width=\"60\" height=\"60\" alt=\"\" />"});
  }
  return out;
}

std::string_view Pitch(const Goods& goods) {
  return kPitches[static_cast<std::uint64_t>(goods.id) % std::size(kPitches)];
}

std::string_view ShipsFrom(const Goods& goods) {
  return kPlaces[static_cast<std::uint64_t>(goods.id) / 7 % std::size(kPlaces)];
}

void Put(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view p : parts) out.append(p);
}

#include "page_frame.h"

#include "goods.h"
#include "text/hosts.h"

namespace {

struct NavEntry {
  const char* name;
  const char* host;
  const char* path;
};

const NavEntry kNav[] = {
    {"首页", hosts::kNineYuan, "/"},
    {"九块邮", hosts::kNineYuan, "/d/jiu?&u=jiu/all/1"},
    {"聚划算", hosts::kGroupBuy, "/tg/today_items.htm?&stype=newest&reverse=down&page=1"},
    {"卷皮折扣", hosts::kDiscountShop, "/d/index?u=index/all/all/1"},
    {"天天特价", hosts::kDailySpecials, "/ten.htm"},
    {"付邮试用", hosts::kDailySpecials, "/ten/fuyou.htm"},
    {"年末清仓", hosts::kClearanceFeed, "/"},
    {"品牌特卖", hosts::kDiscountShop, "/"},
};

const char* const kSideCategories[] = {"女装", "男装", "鞋包", "居家", "母婴", "美妆",
                                       "美食", "数码", "配饰", "文体", "内衣", "家电"};

// The scripts real list pages carry in their head: configuration, lazy images, countdowns.
constexpr std::string_view kHeadScript = R"(<script type="text/javascript">
var SITE_CONFIG = {
    "version": "20141215",
    "staticServer": "http://static.market.example",
    "imgServer": "http://img01.market.example",
    "loginUrl": "http://login.market.example/member/login.jhtml",
    "statEnabled": true,
    "lazyOffset": 200
};
(function (win, doc) {
    var lazy = {
        list: [],
        init: function () {
            var imgs = doc.getElementsByTagName("img"), i;
            for (i = 0; i < imgs.length; i++) {
                if (imgs[i].getAttribute("data-original")) {
                    this.list.push(imgs[i]);
                }
            }
            this.check();
        },
        inView: function (el) {
            var top = el.getBoundingClientRect().top;
            return top < (win.innerHeight || doc.documentElement.clientHeight) + SITE_CONFIG.lazyOffset;
        },
        check: function () {
            var rest = [], i, el;
            for (i = 0; i < this.list.length; i++) {
                el = this.list[i];
                if (this.inView(el)) {
                    el.src = el.getAttribute("data-original");
                } else {
                    rest.push(el);
                }
            }
            this.list = rest;
        }
    };
    win.LazyLoad = lazy;
    if (win.addEventListener) {
        win.addEventListener("scroll", function () { lazy.check(); }, false);
        win.addEventListener("load", function () { lazy.init(); }, false);
    } else if (win.attachEvent) {
        win.attachEvent("onscroll", function () { lazy.check(); });
        win.attachEvent("onload", function () { lazy.init(); });
    }
})(window, document);
function countDown(end, box) {
    var left = Math.max(0, end - new Date().getTime()), d, h, m, s;
    d = Math.floor(left / 86400000);
    h = Math.floor(left % 86400000 / 3600000);
    m = Math.floor(left % 3600000 / 60000);
    s = Math.floor(left % 60000 / 1000);
    if (box) {
        box.innerHTML = d + "\u5929" + h + "\u65f6" + m + "\u5206" + s + "\u79d2";
    }
    return left > 0;
}
</script>
)";

constexpr std::string_view kTailScript = R"(<script type="text/javascript">
var _hmt = _hmt || [];
(function () {
    var hm = document.createElement("script");
    hm.src = "http://stat.market.example/hm.js?6f2a7c1b0d9e";
    var s = document.getElementsByTagName("script")[0];
    s.parentNode.insertBefore(hm, s);
})();
(function () {
    var boxes = document.getElementsByTagName("span"), i, end;
    for (i = 0; i < boxes.length; i++) {
        end = boxes[i].getAttribute("data-end");
        if (end) {
            countDown(parseInt(end, 10) * 1000, boxes[i]);
        }
    }
})();
</script>
)";

}  // namespace

std::string FrameTop(const Frame& f) {
  std::string out;
  out.reserve(16 * 1024);
  Put(out, {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
            "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n"
            "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\" />\n<title>",
            f.title, "</title>\n<meta name=\"keywords\" content=\"", f.keywords,
            "\" />\n<meta name=\"description\" content=\"", f.site,
            "每天精选数百款超值好货，全场包邮，天天更新，手慢无！\" />\n"
            "<link rel=\"shortcut icon\" href=\"http://static.",
            f.host, "/favicon.ico\" />\n"});
  const char* const sheets[] = {"base", "layout", "list", "pager"};
  for (const char* s : sheets) {
    Put(out, {"<link rel=\"stylesheet\" type=\"text/css\" href=\"http://static.", f.host, "/css/",
              s, ".css?v=20141215\" />\n"});
  }
  out += kHeadScript;
  Put(out,
      {"</head>\n<body class=\"page-list\">\n<div id=\"site-nav\" class=\"site-nav\">\n"
       "  <div class=\"wrap\">\n"
       "    <p class=\"login-info\">您好，欢迎来到",
       f.site,
       "！<a href=\"http://login.market.example/member/login.jhtml\" target=\"_top\">请登录</a>"
       " <a href=\"http://reg.market.example/member/new.jhtml\" target=\"_top\">免费注册</a></p>\n"
       "    <ul class=\"quick-menu\">\n"
       "      <li class=\"menu-item\"><a href=\"http://my.market.example/\">我的订单</a></li>\n"
       "      <li class=\"menu-item\"><a href=\"http://cart.market.example/\">购物车</a></li>\n"
       "      <li class=\"menu-item\"><a href=\"http://fav.market.example/\">收藏夹</a></li>\n"
       "      <li class=\"menu-item\"><a href=\"http://help.market.example/\">帮助中心</a></li>\n"
       "    </ul>\n  </div>\n</div>\n"
       "<div id=\"header\" class=\"header\">\n  <div class=\"wrap\">\n"
       "    <h1 class=\"logo\"><a href=\"http://",
       f.host, "/\"><img src=\"http://static.", f.host, "/images/logo.png\" alt=\"", f.site,
       "\" width=\"220\" height=\"60\" /></a></h1>\n"
       "    <form class=\"search-form\" action=\"http://s.market.example/search\" "
       "method=\"get\" target=\"_blank\">\n"
       "      <input type=\"text\" name=\"q\" class=\"search-text\" autocomplete=\"off\" "
       "value=\"\" placeholder=\"搜索你想要的宝贝\" />\n"
       "      <button type=\"submit\" class=\"search-btn\">搜 索</button>\n"
       "    </form>\n    <p class=\"hot-words\">热门搜索："});
  const char* const hot[] = {"羽绒服", "雪地靴", "四件套", "保暖内衣", "零食", "围巾", "面膜"};
  for (const char* h : hot) {
    Put(out,
        {"<a href=\"http://s.market.example/search?q=", h, "\" target=\"_blank\">", h, "</a> "});
  }
  out += "</p>\n  </div>\n</div>\n<div id=\"nav\" class=\"nav\">\n  <ul class=\"wrap\">\n";
  int i = 0;
  for (const NavEntry& n : kNav) {
    Put(out, {"    <li class=\"nav-item", i == f.active_nav ? " current" : "",
              "\"><a href=\"http://", n.host, n.path, "\">", n.name, "</a></li>\n"});
    ++i;
  }
  out +=
      "  </ul>\n</div>\n<div class=\"cat-bar wrap\">\n  <span class=\"cat-title\">分类：</span>\n";
  int c = 0;
  for (const char* s : kSideCategories) {
    Put(out, {"  <a class=\"cat-link\" href=\"http://", f.host, "/cat/", Decimal(++c), ".htm\">", s,
              "</a>\n"});
  }
  out += "</div>\n";
  return out;
}

std::string FrameBottom(const Frame& f) {
  std::string out;
  out.reserve(12 * 1024);
  out += "<div id=\"footer\" class=\"footer\">\n  <div class=\"wrap ft-help\">\n";
  struct HelpGroup {
    const char* head;
    const char* links[4];
  };
  const HelpGroup groups[] = {
      {"新手指南", {"购物流程", "会员介绍", "常见问题", "联系客服"}},
      {"支付方式", {"快捷支付", "网上银行", "货到付款", "分期付款"}},
      {"配送服务", {"配送范围", "运费说明", "验货签收", "物流查询"}},
      {"售后服务", {"退换货政策", "退款说明", "返修流程", "投诉建议"}},
      {"关于我们", {"公司简介", "商家入驻", "招聘英才", "友情链接"}},
  };
  int n = 0;
  for (const HelpGroup& g : groups) {
    Put(out, {"    <div class=\"help-group\">\n      <h4>", g.head, "</h4>\n      <ul>\n"});
    for (const char* l : g.links) {
      Put(out, {"        <li><a href=\"http://help.market.example/", Decimal(++n),
                ".htm\" target=\"_blank\" rel=\"nofollow\">", l, "</a></li>\n"});
    }
    out += "      </ul>\n    </div>\n";
  }
  out += "  </div>\n  <div class=\"wrap ft-links\">\n    <span>友情链接：</span>\n";
  const char* const friends[] = {"折扣网",     "团购导航", "省钱攻略", "特卖汇",
                                 "优惠券大全", "每日好货", "白菜价",   "包邮精选"};
  int k = 0;
  for (const char* fr : friends) {
    Put(out, {"    <a href=\"http://friend", Decimal(++k), ".example/\" target=\"_blank\">", fr,
              "</a>\n"});
  }
  Put(out, {"  </div>\n  <div class=\"wrap ft-copy\">\n    <p>Copyright &copy; 2011-2014 ", f.site,
            " ", f.host,
            " 版权所有</p>\n    <p>本站所有商品信息均来自网友分享，价格以商家页面为准。"
            "客服热线：400-000-0000（9:00-21:00）</p>\n"
            "    <p>沪ICP备00000000号 | 增值电信业务经营许可证：沪B2-00000000</p>\n"
            "  </div>\n</div>\n"});
  out += kTailScript;
  out += "</body>\n</html>\n";
  return out;
}

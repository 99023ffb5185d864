/* The maker's two web addresses; plain http. */
#ifndef QELVAN_WEB_ADDRESSES_H
#define QELVAN_WEB_ADDRESSES_H

#define HOME_PAGE_HOST "www.qelvan.example"
#define HOME_PAGE_URL "http://" HOME_PAGE_HOST "/"
#define CATALOGUE_PAGE_URL "http://soft.qelvan.example/iframe/CommonTools.html"

#endif

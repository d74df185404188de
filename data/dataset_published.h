#pragma once
// The members of TDataSet that concrete datasets publish: Active, AutoCalcFields and the
// dataset events. A concrete dataset builds its class information with them:
//
//   const TClassInfo& TMyDataSet::StaticClassInfo() {
//     static const TClassInfo info =
//         PublishDataSetMembers(TClassBuilder<TMyDataSet>("TMyDataSet", &TDataSet::StaticClassInfo()))
//             .Property("TableName", &TMyDataSet::TableName, &TMyDataSet::SetTableName)
//             .Build();
//     return info;
//   }

#include "core/rtti.h"
#include "data/dataset.h"

template <class C>
TClassBuilder<C> PublishDataSetMembers(TClassBuilder<C> Builder) {
  Builder.Property("Active", &TDataSet::Active, &TDataSet::SetActive)
      .Default(false)
      .Property("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields)
      .Default(true)
      .Event("AfterCancel", &TDataSet::AfterCancel)
      .Event("AfterClose", &TDataSet::AfterClose)
      .Event("AfterDelete", &TDataSet::AfterDelete)
      .Event("AfterEdit", &TDataSet::AfterEdit)
      .Event("AfterInsert", &TDataSet::AfterInsert)
      .Event("AfterOpen", &TDataSet::AfterOpen)
      .Event("AfterPost", &TDataSet::AfterPost)
      .Event("AfterScroll", &TDataSet::AfterScroll)
      .Event("BeforeCancel", &TDataSet::BeforeCancel)
      .Event("BeforeClose", &TDataSet::BeforeClose)
      .Event("BeforeDelete", &TDataSet::BeforeDelete)
      .Event("BeforeEdit", &TDataSet::BeforeEdit)
      .Event("BeforeInsert", &TDataSet::BeforeInsert)
      .Event("BeforeOpen", &TDataSet::BeforeOpen)
      .Event("BeforePost", &TDataSet::BeforePost)
      .Event("BeforeScroll", &TDataSet::BeforeScroll)
      .Event("OnCalcFields", &TDataSet::OnCalcFields)
      .Event("OnDeleteError", &TDataSet::OnDeleteError)
      .Event("OnEditError", &TDataSet::OnEditError)
      .Event("OnNewRecord", &TDataSet::OnNewRecord)
      .Event("OnPostError", &TDataSet::OnPostError);
  return Builder;
}
